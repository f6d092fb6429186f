#pragma once
// The loader's status window, "Qd6 Loader Show Status Only". Hidden until a
// download reports progress; shows a bar while reports 1 ... 240 go out, says
// when the download is complete and hides again a moment later.

#include "loader/LoaderCommand.h"
#include "texts/Texts.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace pad {

class TQd6LdrSDlg : public QWidget {
    Q_OBJECT
  public:
    static constexpr int HideAfterCompleteMs = 2000;
    // A download that stops reporting (its sender went away) hides the window after this.
    static constexpr int StalledHideMs = 10000;

    // The texts are those of the language in force, which texts holds.
    explicit TQd6LdrSDlg(Texts texts = Texts(), QWidget* parent = nullptr);

    // Shows what command asks for; Quit and Ignore are the caller's business.
    void apply(const LoaderCommand& command);
    int progress() const;

  signals:
    void shownChanged(bool visible);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void showProgress(int reports);
    void showComplete();
    void placeOnScreen();
    QString Text(const UiText& text) const;

    Texts texts_;
    QLabel* heading_;
    QProgressBar* bar_;
    QLabel* detail_;
    QTimer hideTimer_;
};

} // namespace pad

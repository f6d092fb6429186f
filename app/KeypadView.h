#pragma once
// BkImg: the surface behind every control of the main window. It keeps the keypad
// picture of the mode shown (RedrawKeypad) and the screen image, on which the hover
// highlight and the LOAD button's pressed look are drawn without touching the kept
// picture. The picture is composed when it is first needed, so a window that is
// not on screen yet composes it once however often it is asked to redraw.

#include "profile/HoverZone.h"

#include <QImage>
#include <QWidget>

namespace pad {

// The bitmaps of the keypad view, pure green being transparent.
struct KeypadArtwork {
    QImage Image1;    // the keypad picture
    QImage Image2;    // its second part, drawn over the first
    QImage Image3;    // LOAD button, normal look
    QImage Image4;    // LOAD button, pressed look
    QImage TntImage2; // highlight bar at the hovered key label
    QImage TntImage3; // marker of the hovered key on the keypad picture

    static KeypadArtwork Load();
};

class KeypadView : public QWidget {
    Q_OBJECT
  public:
    explicit KeypadView(QWidget* parent = nullptr);

    void SetArtwork(KeypadArtwork artwork) { art_ = std::move(artwork); }
    // The y offset of the keypad picture in the client area.
    void SetPictureTop(int pictureTop) { pictureTop_ = pictureTop; }
    int PictureTop() const { return pictureTop_; }

    // The whole picture in the colour of viewMode (-1 Normal, 0-2 Mode A-C).
    void RedrawKeypad(int viewMode);
    // One tick of the hover highlight: the bar and marker at row's places, or the
    // plain picture over the old highlight.
    void DrawHover(HoverTracker::Draw draw, const HoverZoneRow& row);
    // The LOAD button, pressed or normal, on the screen only.
    void DrawLoad(bool pressed);

    // The kept picture (RedrawKeypad's result).
    const QImage& Picture();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Compose();
    // What the window shows, composed when out of date.
    QImage& Screen();

    KeypadArtwork art_;
    int pictureTop_ = 0;
    int viewMode_ = -1;
    bool stale_ = true;
    QImage picture_;
    QImage screen_;
};

} // namespace pad

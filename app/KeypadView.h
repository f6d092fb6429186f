#pragma once
// BkImg: the surface behind every control of the main window. It keeps the keypad
// picture of the mode shown (RedrawKeypad) and the screen image, on which the hover
// highlight and the LOAD button's pressed look are drawn without touching the kept
// picture. The picture is composed when it is first needed, so a window that is
// not on screen yet composes it once however often it is asked to redraw.
// Both images are in device pixels: the layout's coordinates times the layout
// scale times the screen's device pixel ratio. The artwork is rendered at that
// scale, and again when the window reaches a screen of another ratio.

#include "app/view/HoverZone.h"

#include <QImage>
#include <QWidget>

namespace pad {

// The bitmaps of the keypad view at one scale, pure green (or alpha) being
// transparent.
struct KeypadArtwork {
    QImage Image1;    // the keypad picture
    QImage Image2;    // its second part, drawn over the first
    QImage Image3;    // LOAD button, normal look
    QImage Image4;    // LOAD button, pressed look
    QImage TntImage2; // highlight bar at the hovered key label
    QImage TntImage3; // marker of the hovered key on the keypad picture
    qreal scale = 0;  // device pixels per layout pixel; 0 when not loaded

    static KeypadArtwork Load(qreal scale);
};

class KeypadView : public QWidget {
    Q_OBJECT
  public:
    explicit KeypadView(QWidget* parent = nullptr);

    // The y offset of the keypad picture in the client area, in layout pixels.
    void SetPictureTop(int pictureTop) { pictureTop_ = pictureTop; }
    int PictureTop() const { return pictureTop_; }
    // Widget pixels per layout pixel (the window grows with its text).
    void SetLayoutScale(qreal scale);
    // Device pixels per layout pixel: the layout scale times the device pixel ratio.
    qreal Scale() const;

    // The whole picture in the colour of viewMode (-1 Normal, 0-2 Mode A-C).
    void RedrawKeypad(int viewMode);
    // One tick of the hover highlight: the bar and marker at row's places, or the
    // plain picture over the old highlight.
    void DrawHover(HoverTracker::Draw draw, const HoverZoneRow& row);
    // The LOAD button, pressed or normal, on the screen only.
    void DrawLoad(bool pressed);

    // What the window shows, in device pixels.
    const QImage& ScreenImage() { return Screen(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Compose();
    // What the window shows, composed when out of date.
    QImage& Screen();
    // Layout coordinates to device pixels.
    int Px(qreal v) const;
    // Draws a bitmap at layout position (x, y) on the screen image; returns the
    // device rectangle it covers.
    QRect DrawOnScreen(const QImage& bitmap, int x, int y);
    // The kept picture back on the screen image in rect.
    void Restore(const QRect& rect);

    KeypadArtwork art_;
    qreal layoutScale_ = 1;
    int pictureTop_ = 0;
    int viewMode_ = -1;
    bool stale_ = true;
    QImage picture_;
    QImage screen_;
    QRect highlightDrawn_, markerDrawn_; // device rectangles of the highlight shown
};

} // namespace pad

#pragma once

// The speech-balloon outline that most dialogs of the program wear, and the
// base window of every balloon-shaped dialog.
//
// Outline in client coordinates (W, H = client size, E = corner ellipse,
// I = pointer indent):
//   RightTop     body (0,0)-(W-I,H), pointer (W,E) (W-I-1,E) (W-I-1,I+E)
//   BottomRight  body (0,0)-(W,H-I), pointer (W-E,H) (W-E,H-I-1) (W-E-I,H-I-1)
//   None         body (0,0)-(W,H), no pointer

#include <QColor>
#include <QPainterPath>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

namespace widgets {

class DialogHost;

enum class BalloonPosition { None, RightTop, BottomRight };

constexpr int DefaultBalloonEllipse = 20;
constexpr int DefaultBalloonIndent = 15;

// The window region: the body with elliptic corners united with the pointer.
QRegion balloonRegion(BalloonPosition position, const QSize &client,
                      int ellipse = DefaultBalloonEllipse, int indent = DefaultBalloonIndent);

// The body rectangle alone (where a dialog's contents go).
QRect balloonBody(BalloonPosition position, const QSize &client,
                  int indent = DefaultBalloonIndent);

// The outline of body and pointer, drawn just inside the region.
QPainterPath balloonOutline(BalloonPosition position, const QSize &client,
                            int ellipse = DefaultBalloonEllipse, int indent = DefaultBalloonIndent);

// Draws the outline in black, one pixel wide.
void paintBalloonOutline(QPainter &painter, BalloonPosition position, const QSize &client,
                         int ellipse = DefaultBalloonEllipse, int indent = DefaultBalloonIndent);

// Base of every balloon-shaped dialog: a borderless, stay-on-top tool window
// cut to the balloon outline. While it is shown it behaves modally through its
// host: on show it plays its sound, hides the catalogue indicator "SBO10",
// shows its own indicator and disables the main window; when it is closed or
// hidden (by the program, not by the window system minimising its owner) it
// hides its indicator and enables the main window again. A balloon owned by
// the main window stays enabled while the main window is disabled.
class BalloonWindow : public QWidget
{
    Q_OBJECT

public:
    // What happens to the catalogue indicator "SBO10" when the balloon closes.
    enum class CatalogueIndicator { Leave, Show, Hide };

    explicit BalloonWindow(QWidget *parent = nullptr,
                           BalloonPosition position = BalloonPosition::RightTop);

    BalloonPosition balloonPosition() const { return m_position; }
    void setBalloonPosition(BalloonPosition position);

    int ellipse() const { return m_ellipse; }
    int indent() const { return m_indent; }
    void setOutline(int ellipse, int indent);

    // Light yellow RGB(255, 255, 224) unless set otherwise.
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

    // The body rectangle of the current size and position.
    QRect bodyRect() const;

    // The window that hosts the balloon while it is up; may be null (then the
    // balloon does nothing beyond showing itself).
    DialogHost *host() const { return m_host; }
    void setHost(DialogHost *host) { m_host = host; }

    // Status-bar picture shown while the balloon is up ("SBO6", "SBO7", ...).
    QString indicator() const { return m_indicator; }
    void setIndicator(const QString &name) { m_indicator = name; }

    // Sound played on show ("Dotaz.wav", ...); empty = silent.
    QString sound() const { return m_sound; }
    void setSound(const QString &fileName) { m_sound = fileName; }

    // Default Leave: the caller decides about "SBO10" itself (connect closed()).
    CatalogueIndicator catalogueIndicatorOnClose() const { return m_afterClose; }
    void setCatalogueIndicatorOnClose(CatalogueIndicator what) { m_afterClose = what; }

    // True from show until close or hide.
    bool isEngaged() const { return m_engaged; }

signals:
    // Emitted once each time the balloon goes away (closed or hidden), after
    // the host has been enabled again.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

    // Hooks around the host calls, for balloons that need more on show/close.
    virtual void engageHost();
    virtual void releaseHost();

private:
    void updateMask();

    BalloonPosition m_position;
    int m_ellipse = DefaultBalloonEllipse;
    int m_indent = DefaultBalloonIndent;
    DialogHost *m_host = nullptr;
    QString m_indicator;
    QString m_sound;
    CatalogueIndicator m_afterClose = CatalogueIndicator::Leave;
    bool m_engaged = false;
};

} // namespace widgets

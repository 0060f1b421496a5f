#pragma once

// The little indicator lights in front of office buttons and labels. They are
// painted once in code and kept in a cache for the rest of the run.

#include <QPixmap>
#include <QString>

namespace widgets {

// Button: one round light, 11 x 11. Round: the label's round light, 20 x 16.
// ThreeDDown / ThreeDUp: the label's sunken and raised lights, 20 x 11.
enum class LedShape { Button, Round, ThreeDDown, ThreeDUp };

// Off: idle. On: the mouse is over the control. Down: hot and pressed.
enum class LedState { Off, On, Down };

// Resource name of a light: "OFF", "ON", "DOWN" for the button; "OFFRND",
// "ONRND", "DOWNRND", "OFF3DWN", ..., "DOWN3UP" for the label.
QString ledName(LedShape shape, LedState state);

QSize ledSize(LedShape shape);

// The cached picture; needs a running QGuiApplication.
QPixmap ledPixmap(LedShape shape, LedState state);

} // namespace widgets

#pragma once

// The application object: a failure that reaches the event loop is shown in
// a plain error box with its message, and the program goes on.

#include <QApplication>

namespace app {

class OrdexApplication : public QApplication
{
    Q_OBJECT
public:
    OrdexApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace app

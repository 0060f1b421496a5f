#include "DialogKeys.h"

#include <QKeyEvent>

namespace widgets {

namespace {

class DialogKeyFilter : public QObject
{
public:
    DialogKeyFilter(QWidget *dialog, const QList<int> &keys, std::function<void()> action)
        : QObject(dialog)
        , m_keys(keys)
        , m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress
            && m_keys.contains(static_cast<QKeyEvent *>(event)->key())) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<int> m_keys;
    std::function<void()> m_action;
};

} // namespace

void bindDialogKeys(QWidget *dialog, const QList<int> &keys, std::function<void()> action)
{
    auto *filter = new DialogKeyFilter(dialog, keys, std::move(action));
    dialog->installEventFilter(filter);
    for (QWidget *child : dialog->findChildren<QWidget *>())
        child->installEventFilter(filter);
}

} // namespace widgets

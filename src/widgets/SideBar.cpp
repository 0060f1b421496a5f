#include "SideBar.h"

#include <QAction>
#include <QEnterEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace widgets {

namespace {

QFont captionFont()
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(13);
    return f;
}

// Large button of a page: icon above caption; the caption of an enabled
// button turns blue while the pointer is over it. Its colours are worked out
// afresh from the side bar's whenever the pointer or the enabled state
// changes, so a caption never keeps the colour of a state it has left (grey
// after a click that disabled the window, blue while disabled).
class SideBarButton : public QToolButton
{
public:
    explicit SideBarButton(QWidget *parent)
        : QToolButton(parent)
    {
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        setAutoRaise(true);
        setIconSize(QSize(32, 32));
        setFocusPolicy(Qt::NoFocus);
        setFont(captionFont());
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

protected:
    void enterEvent(QEnterEvent *event) override
    {
        m_pointerOver = true;
        updateCaptionColor();
        QToolButton::enterEvent(event);
    }
    void leaveEvent(QEvent *event) override
    {
        m_pointerOver = false;
        updateCaptionColor();
        QToolButton::leaveEvent(event);
    }
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            // A button disabled under the pointer gets no leave event.
            if (!isEnabled())
                m_pointerOver = false;
            updateCaptionColor();
        }
        QToolButton::changeEvent(event);
    }

private:
    void updateCaptionColor()
    {
        if (!m_pointerOver || !isEnabled()) {
            // The side bar's own colours: black, grey while disabled.
            setPalette(QPalette());
            setAttribute(Qt::WA_SetPalette, false);
            return;
        }
        QPalette pal = parentWidget() ? parentWidget()->palette() : palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::ButtonText, Qt::blue);
            pal.setColor(group, QPalette::WindowText, Qt::blue);
        }
        setPalette(pal);
    }

    bool m_pointerOver = false;
};

void followAction(QToolButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    button->setIcon(action->icon());
    button->setStatusTip(action->statusTip());
    button->setAccessibleDescription(action->statusTip());
    button->setVisible(action->isVisible());
}

} // namespace

SideBar::SideBar(QWidget *parent)
    : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    // A light bar, so that disabled captions stay readable.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(222, 226, 232));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    setPalette(pal);
    setAutoFillBackground(true);
}

int SideBar::addPage(const QString &objectName, const QString &caption, const QString &hint)
{
    const int index = int(m_pages.size());
    Page page;
    page.page = new QWidget(this);
    page.page->setObjectName(objectName);
    page.page->setStatusTip(hint);
    auto *pageLayout = new QVBoxLayout(page.page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);

    page.header = new QToolButton(page.page);
    page.header->setObjectName(objectName + QStringLiteral("Header"));
    page.header->setText(caption);
    page.header->setStatusTip(hint);
    page.header->setAccessibleDescription(hint);
    page.header->setFont(captionFont());
    page.header->setFocusPolicy(Qt::NoFocus);
    page.header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    page.header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    page.header->setMinimumHeight(22);
    pageLayout->addWidget(page.header);
    connect(page.header, &QToolButton::clicked, this, [this, index] {
        setCurrentPage(index);
        emit pageChosen(index);
    });

    // The buttons scroll inside the open page when it is too short for
    // them, so that no page asks the main window for more room than another:
    // choosing a page never changes the window's size.
    auto *scroller = new QScrollArea(page.page);
    scroller->setObjectName(objectName + QStringLiteral("Scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setStatusTip(hint);
    scroller->setMinimumSize(0, 0);
    scroller->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    scroller->viewport()->setAutoFillBackground(false);
    page.body = new QWidget;
    page.body->setStatusTip(hint);
    page.bodyLayout = new QVBoxLayout(page.body);
    page.bodyLayout->setContentsMargins(2, 6, 2, 6);
    page.bodyLayout->setSpacing(6);
    page.bodyLayout->addStretch();
    scroller->setWidget(page.body);
    page.body->setAutoFillBackground(false);
    page.scroller = scroller;
    pageLayout->addWidget(scroller, 1);
    addScrollArrows(scroller);

    m_pages.append(page);
    m_layout->addWidget(page.page);
    if (m_current < 0)
        m_current = index;
    setCurrentPage(m_current);
    return index;
}

QToolButton *SideBar::addButton(int page, QAction *action, const QString &objectName,
                                const QString &caption)
{
    if (page < 0 || page >= m_pages.size() || !action)
        return nullptr;
    Page &p = m_pages[page];
    auto *button = new SideBarButton(p.body);
    button->setObjectName(objectName);
    button->setText(caption);
    followAction(button, action);
    connect(action, &QAction::changed, button, [button, action] { followAction(button, action); });
    connect(button, &QToolButton::clicked, action, [action] { action->trigger(); });
    // Before the stretch that keeps the buttons at the top.
    p.bodyLayout->insertWidget(p.bodyLayout->count() - 1, button);
    p.buttons.append(button);
    return button;
}

void SideBar::addScrollArrows(QScrollArea *scroller)
{
    // As in an outlook bar: small arrows at the right edge of an open page
    // whose buttons do not all fit, the upper one while there is more above,
    // the lower one while there is more below. The wheel scrolls as well.
    QScrollBar *bar = scroller->verticalScrollBar();
    auto arrow = [scroller, bar](Qt::ArrowType type, const char *suffix, int direction,
                                 const QString &name) {
        auto *b = new QToolButton(scroller);
        b->setObjectName(scroller->objectName() + QLatin1String(suffix));
        b->setAccessibleName(name);
        b->setAccessibleDescription(name);
        b->setArrowType(type);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 16);
        b->setAutoRepeat(true);
        b->hide();
        QObject::connect(b, &QToolButton::clicked, bar,
                         [bar, direction] { bar->setValue(bar->value() + direction * ScrollStep); });
        return b;
    };
    QToolButton *up = arrow(Qt::UpArrow, "Up", -1, QStringLiteral("Posunout nahoru"));
    QToolButton *down = arrow(Qt::DownArrow, "Down", 1, QStringLiteral("Posunout dolů"));
    auto place = [scroller, bar, up, down] {
        const int x = scroller->width() - up->width() - 2;
        up->move(x, 2);
        down->move(x, scroller->height() - down->height() - 2);
        up->setVisible(bar->value() > bar->minimum());
        down->setVisible(bar->value() < bar->maximum());
        up->raise();
        down->raise();
    };
    QObject::connect(bar, &QScrollBar::valueChanged, scroller, place);
    QObject::connect(bar, &QScrollBar::rangeChanged, scroller, place);
    m_placeArrows.insert(scroller, place);
    scroller->installEventFilter(this);
}

bool SideBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        const auto it = m_placeArrows.constFind(watched);
        if (it != m_placeArrows.constEnd())
            (*it)();
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *SideBar::page(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages[index].page : nullptr;
}

QToolButton *SideBar::pageHeader(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages[index].header : nullptr;
}

QList<QToolButton *> SideBar::buttons(int page) const
{
    return page >= 0 && page < m_pages.size() ? m_pages[page].buttons : QList<QToolButton *>();
}

void SideBar::setCurrentPage(int index)
{
    if (index < 0 || index >= m_pages.size())
        return;
    m_current = index;
    // The open page takes all the room; the others keep only their headers.
    for (int i = 0; i < m_pages.size(); ++i) {
        const bool open = i == index;
        m_pages[i].scroller->setVisible(open);
        m_layout->setStretchFactor(m_pages[i].page, open ? 1 : 0);
    }
}

} // namespace widgets

#include "NapovedaDialog.h"

#include "HelpTopics.h"
#include "DialogFont.h"
#include "PomocnikDialog.h"

#include "core/Shell.h"
#include "widgets/DialogParts.h"
#include "widgets/OfficeLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace guidance {

namespace {

const QString HelpIndicator = QStringLiteral("SBO8");
const QString CatalogueWindowIndicator = QStringLiteral("SBO10");
const QColor LightYellow(255, 255, 224);

constexpr int ColumnLeft = (NapovedaDialog::DialogWidth - 233) / 2;
constexpr int ColumnWidth = 233;

QFrame *rule(QWidget *parent, int x, int y, int width)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(x, y, width, 2);
    return line;
}

} // namespace

NapovedaDialog::NapovedaDialog(core::Shell &shell, PomocnikDialog &assistant, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
    , m_shell(shell)
    , m_assistant(assistant)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("NapovedaDialog"),
                                 .title = QStringLiteral("Nápověda"),
                                 .size = QSize(DialogWidth, DialogHeight),
                                 .host = &m_shell,
                                 .indicator = HelpIndicator});
    setFont(dialogFont(font()));

    m_title = widgets::addTitle(this, QString(), QRect(ColumnLeft, 8, ColumnWidth, 18), false);
    m_titleFont = m_title->font();

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("Label2"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setGeometry(ColumnLeft, 30, ColumnWidth, 131);

    rule(this, ColumnLeft, 165, ColumnWidth);

    auto *heading = new QLabel(QStringLiteral("Informace"), this);
    heading->setObjectName(QStringLiteral("InformationHeading"));
    QFont italic = heading->font();
    italic.setItalic(true);
    heading->setFont(italic);
    QPalette red = heading->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    heading->setPalette(red);
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(ColumnLeft, 170, ColumnWidth, 16);

    m_information = new QLabel(this);
    m_information->setObjectName(QStringLiteral("Label3"));
    m_information->setWordWrap(true);
    m_information->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_information->setGeometry(ColumnLeft, 188, ColumnWidth, 65);

    rule(this, ColumnLeft, 257, ColumnWidth);

    auto *showList = new widgets::OfficeLabel(QStringLiteral("Zobrazit seznam témat nápovědy"), this);
    showList->setObjectName(QStringLiteral("OfficeLabel1"));
    showList->setGeometry(ColumnLeft, 264, ColumnWidth, 17);
    auto *leave = new widgets::OfficeLabel(QStringLiteral("Opustit nápovědu"), this);
    leave->setObjectName(QStringLiteral("OfficeLabel2"));
    leave->setGeometry(ColumnLeft, 283, ColumnWidth, 17);
    connect(showList, &widgets::OfficeLabel::clicked, this, &NapovedaDialog::OfficeLabel1Click);
    connect(leave, &widgets::OfficeLabel::clicked, this, &NapovedaDialog::OfficeLabel2Click);

    // The topic list lies over the text area.
    m_list = new QWidget(this);
    m_list->setObjectName(QStringLiteral("Panel1"));
    m_list->setAutoFillBackground(true);
    QPalette yellow = m_list->palette();
    yellow.setColor(QPalette::Window, LightYellow);
    m_list->setPalette(yellow);
    m_list->setGeometry(ColumnLeft, 28, ColumnWidth, 232);
    const QList<HelpTopic> &topics = helpTopics();
    int y = 2;
    for (int i = 0; i < topics.size(); ++i) {
        auto *link = new widgets::OfficeLabel(topics.at(i).link, m_list);
        link->setObjectName(QStringLiteral("TopicLabel%1").arg(i + 1));
        // A link too long for one line gets a second one.
        const QRect text = link->fontMetrics().boundingRect(
            QRect(0, 0, ColumnWidth - 26, 1000), Qt::TextWordWrap, topics.at(i).link);
        const int height = qMax(16, text.height() + 2);
        link->setGeometry(0, y, ColumnWidth, height);
        y += height;
        connect(link, &widgets::OfficeLabel::clicked, this, [this, i] { showTopic(i); });
    }
    rule(m_list, 0, y + 3, ColumnWidth);

    showTopicList();
}

void NapovedaDialog::Napoveda1Click()
{
    if (m_shell.activeCatalogueWindow())
        showTopic(WorkingWithCatalogueTopic);
    else
        showTopicList();
    placeAndShow();
}

void NapovedaDialog::placeAndShow()
{
    m_assistant.placeAbove(this, PanelPlacement::Help);
}

void NapovedaDialog::setTitle(const QString &title)
{
    m_title->setText(title);
    m_title->setFont(fittingFont(m_titleFont, title, m_title->size(), false));
}

void NapovedaDialog::setTexts(const QString &text, const QString &information)
{
    for (auto [label, value] : {std::pair{m_text, text}, std::pair{m_information, information}}) {
        label->setText(value);
        label->setFont(fittingFont(font(), value, label->size(), true));
    }
}

void NapovedaDialog::showTopicList()
{
    setTitle(topicListTitle());
    m_list->show();
    m_list->raise();
}

void NapovedaDialog::showTopic(int index)
{
    const QList<HelpTopic> &topics = helpTopics();
    if (index < 0 || index >= topics.size())
        return;
    const HelpTopic &topic = topics.at(index);
    setTitle(topic.title);
    setTexts(topic.text, topic.information);
    m_list->hide();
}

bool NapovedaDialog::topicListShown() const
{
    return !m_list->isHidden();
}

QString NapovedaDialog::titleText() const
{
    return m_title->text();
}

QString NapovedaDialog::topicText() const
{
    return m_text->text();
}

QString NapovedaDialog::informationText() const
{
    return m_information->text();
}

void NapovedaDialog::OfficeLabel1Click()
{
    showTopicList();
}

void NapovedaDialog::OfficeLabel2Click()
{
    close();
}

void NapovedaDialog::engageHost()
{
    m_shell.setIndicatorVisible(CatalogueWindowIndicator, false);
    m_shell.setIndicatorVisible(HelpIndicator, true);
    m_shell.setMainWindowEnabled(false);
}

void NapovedaDialog::releaseHost()
{
    m_shell.setIndicatorVisible(CatalogueWindowIndicator, m_shell.activeCatalogueWindow() != nullptr);
    m_shell.setIndicatorVisible(HelpIndicator, false);
    m_shell.setMainWindowEnabled(true);
}

void NapovedaDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

} // namespace guidance

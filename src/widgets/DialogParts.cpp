#include "DialogParts.h"

#include "BalloonShape.h"
#include "Colors.h"
#include "Fonts.h"
#include "OfficeButton.h"
#include "OfficeLabel.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

namespace widgets {

void setUpBalloon(BalloonWindow *dialog, const BalloonFrame &frame)
{
    dialog->setObjectName(frame.objectName);
    dialog->setStatusTip(frame.hint);
    if (!frame.title.isEmpty())
        dialog->setWindowTitle(frame.title);
    dialog->setBackgroundColor(fromColorRef(colorref::LightYellow));
    dialog->setHost(frame.host);
    dialog->setIndicator(frame.indicator);
    dialog->setSound(frame.sound);
    dialog->setFixedSize(frame.size);
}

QLabel *addTitle(QWidget *dialog, const QString &text, const QRect &geometry, bool wrap)
{
    auto *title = new QLabel(text, dialog);
    title->setObjectName(QStringLiteral("Label1"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(wrap);
    title->setGeometry(geometry);
    return title;
}

QLabel *addHeading(QWidget *dialog, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(QLatin1String(name));
    label->setFont(serifFont(13, true));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

OfficeLabel *addEntry(QWidget *dialog, const char *name, const QString &caption, const QString &hint,
                               const QRect &geometry)
{
    auto *entry = new OfficeLabel(caption, dialog);
    entry->setObjectName(QLatin1String(name));
    entry->setFont(serifFont(13));
    entry->setStatusTip(hint);
    entry->setGeometry(geometry);
    return entry;
}

QFrame *addStrikeLine(QWidget *dialog, const QString &name, const QString &hint, const QRect &geometry)
{
    auto *line = new QFrame(dialog);
    line->setObjectName(name);
    line->setStatusTip(hint);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::red);
    line->setPalette(palette);
    line->setGeometry(geometry);
    line->hide();
    return line;
}

QFrame *addRule(QWidget *dialog, const QRect &geometry)
{
    auto *rule = new QFrame(dialog);
    rule->setObjectName(QStringLiteral("Bevel1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(geometry);
    return rule;
}

OfficeButton *addCancel(QWidget *dialog, const QRect &geometry)
{
    auto *button = new OfficeButton(QStringLiteral("Storno"), dialog);
    button->setObjectName(QStringLiteral("OfficeButton1"));
    button->setStatusTip(QStringLiteral("Uzavře dialogové okno"));
    button->setGeometry(geometry);
    QObject::connect(button, &OfficeButton::clicked, dialog, &QWidget::close);
    return button;
}

} // namespace widgets

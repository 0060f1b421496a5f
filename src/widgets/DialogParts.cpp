#include "DialogParts.h"

#include "widgets/Fonts.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QFrame>
#include <QLabel>

namespace reports {

QLabel *addHeading(QWidget *dialog, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(QLatin1String(name));
    label->setFont(widgets::serifFont(13, true));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

widgets::OfficeLabel *addEntry(QWidget *dialog, const char *name, const QString &caption, const QString &hint,
                               const QRect &geometry)
{
    auto *entry = new widgets::OfficeLabel(caption, dialog);
    entry->setObjectName(QLatin1String(name));
    entry->setFont(widgets::serifFont(13));
    entry->setStatusTip(hint);
    entry->setGeometry(geometry);
    return entry;
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

widgets::OfficeButton *addCancel(QWidget *dialog, const QRect &geometry)
{
    auto *button = new widgets::OfficeButton(QStringLiteral("Storno"), dialog);
    button->setObjectName(QStringLiteral("OfficeButton1"));
    button->setStatusTip(QStringLiteral("Uzavře dialogové okno"));
    button->setGeometry(geometry);
    return button;
}

int subDialogLeft(int selectionLeft)
{
    const int left = selectionLeft - 100;
    return left < 5 ? selectionLeft + 100 : left;
}

} // namespace reports

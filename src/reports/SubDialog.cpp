#include "SubDialog.h"

#include "DialogParts.h"

#include "core/Shell.h"
#include "widgets/Colors.h"
#include "widgets/DialogKeys.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

namespace reports {

SubDialog::SubDialog(Kind kind, core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::None)
    , m_kind(kind)
    , m_shell(shell)
{
    if (kind == Kind::Authors) {
        widgets::setUpBalloon(this, {.objectName = QStringLiteral("AutorDialog"),
                                     .hint = QStringLiteral("Tiskové sestavy autorů"),
                                     .size = QSize(182, 90)});
        addHeading(this, "Label1", QStringLiteral("Abecední seznam autorů"), QRect(4, 4, 174, 16));
        auto *all = addEntry(this, "OfficeLabel1", QStringLiteral("Seznam všech autorů"),
                             QStringLiteral("Použije sestavu pro seznam všech autorů"), QRect(10, 22, 162, 17));
        auto *one = addEntry(this, "OfficeLabel2", QStringLiteral("Seznam vybraných autorů"),
                             QStringLiteral("Použije sestavu pro seznam vybraných autorů"), QRect(10, 39, 162, 17));
        addRule(this, QRect(8, 59, 166, 2));
        addCancel(this, QRect(41, 63, 100, 22));
        connect(all, &widgets::OfficeLabel::clicked, this, &SubDialog::allAuthorsChosen);
        connect(one, &widgets::OfficeLabel::clicked, this, &SubDialog::oneAuthorChosen);
    } else {
        const bool title = kind == Kind::TitleList;
        widgets::setUpBalloon(this, {.objectName = title ? QStringLiteral("AbecedaDialog") : QStringLiteral("CisloDialog"),
                                     .hint = QStringLiteral("Výběr tiskové sestavy"),
                                     .size = QSize(197, 105)});
        addHeading(this, "Label1", title ? QStringLiteral("Abecední seznam knih") : QStringLiteral("Číselný seznam knih"),
                   QRect(4, 4, 189, 16));
        const QString which = title ? QStringLiteral("abecední") : QStringLiteral("číselný");
        const struct { const char *name; const char *hint; ListDetail detail; } rows[] = {
            {"OfficeLabel1", "zkrácený", ListDetail::Short},
            {"OfficeLabel2", "rozšířený", ListDetail::Extended},
            {"OfficeLabel3", "úplný", ListDetail::Full},
        };
        int y = 22;
        for (const auto &row : rows) {
            const QString hint = QStringLiteral("Použije sestavu pro %1 %2 seznam knih")
                                     .arg(QString::fromUtf8(row.hint), which);
            auto *entry = addEntry(this, row.name, detailCaption(row.detail), hint, QRect(10, y, 177, 17));
            const ListDetail detail = row.detail;
            connect(entry, &widgets::OfficeLabel::clicked, this, [this, detail] { emit detailChosen(detail); });
            y += 17;
        }
        addRule(this, QRect(8, 75, 181, 2));
        addCancel(this, QRect(48, 79, 100, 22));
    }
    widgets::bindDialogKeys(this, {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}, [this] { close(); });
}

void SubDialog::showEvent(QShowEvent *event)
{
    widgets::BalloonWindow::showEvent(event);
    // The selection dialog below keeps the main window disabled; this one
    // only shows the report indicator.
    m_shell.setIndicatorVisible(QStringLiteral("SBO1"), true);
}

} // namespace reports

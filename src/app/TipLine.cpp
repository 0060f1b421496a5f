#include "TipLine.h"

#include "core/DataModule.h"
#include "dbase/Table.h"
#include "guidance/TipyDialog.h"
#include "platform/FileRules.h"
#include "platform/ProgramDirectory.h"

#include <QLayout>

#include <exception>

namespace app {

TipLine::TipLine(core::DataModule &data, QWidget *parent)
    : QLineEdit(parent)
    , m_data(data)
{
    setObjectName(QStringLiteral("DBEdit1"));
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setStatusTip(QStringLiteral("Tipy dne"));
    setFixedWidth(419);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE0)); // 14745599
    setPalette(pal);
    setContextMenuPolicy(Qt::NoContextMenu);

    // The tips dialog steps through the same table.
    dbase::Table *tips = m_data.tipsTable();
    connect(tips, &dbase::Table::recordChanged, this, &TipLine::showTip);
    connect(tips, &dbase::Table::stateChanged, this, &TipLine::showTip);
}

bool TipLine::openTable(const platform::ProgramDirectory &dir, QString &error)
{
    bool open = false;
    if (!platform::presenceTest(QStringLiteral("TipyG.dbf"), dir.dataDir()).isEmpty()) {
        try {
            m_data.openTable(6);
            open = true;
        } catch (const std::exception &e) {
            error = QString::fromStdString(e.what());
        }
    }
    showTip();
    return open;
}

void TipLine::previousTip()
{
    guidance::TipyDialog::previousTip(*m_data.tipsTable());
}

void TipLine::nextTip()
{
    guidance::TipyDialog::nextTip(*m_data.tipsTable());
}

void TipLine::showTip()
{
    dbase::Table *tips = m_data.tipsTable();
    const bool hasTip = tips->isActive() && !tips->isEmpty();
    setText(hasTip ? tips->fieldText(QStringLiteral("TIPDNE")).trimmed() : QString());
    setCursorPosition(0);
}

void TipLine::fitWindowWidth(int windowWidth)
{
    const int w = qMax(100, windowWidth - 156);
    if (width() == w && !isHidden())
        return;
    setFixedWidth(w);
    // A line the toolbar had put away for want of room asks for no new
    // layout by itself.
    if (parentWidget() && parentWidget()->layout())
        parentWidget()->layout()->invalidate();
}

} // namespace app

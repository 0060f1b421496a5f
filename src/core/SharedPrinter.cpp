#include "SharedPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace core {

SharedPrinter::SharedPrinter() = default;
SharedPrinter::~SharedPrinter() = default;

bool SharedPrinter::installed() const
{
    if (m_installed)
        return m_installed();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPrinter *SharedPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

} // namespace core

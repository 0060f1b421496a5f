#include "SharedPrinter.h"

#include <QPrinter>

namespace core {

SharedPrinter::SharedPrinter() = default;
SharedPrinter::~SharedPrinter() = default;

QPrinter *SharedPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

} // namespace core

#pragma once

// The one printer of the program: set up by "Nastavení tiskárny..." and used
// by every report printed. Made when first asked for.

#include <memory>

class QPrinter;

namespace core {

class SharedPrinter
{
public:
    SharedPrinter();
    ~SharedPrinter();

    QPrinter *printer();

private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace core

#pragma once

// The one printer of the program: set up by "Nastavení tiskárny..." and used
// by every report printed. Made when first asked for.

#include <functional>
#include <memory>

class QPrinter;

namespace core {

class SharedPrinter
{
public:
    SharedPrinter();
    ~SharedPrinter();

    // Whether the system knows any printer at all; without one there is
    // nothing to set up and nothing to print on.
    bool installed() const;
    // Replaces the look-up of the system's printers (a test stands for a
    // machine with or without one).
    void setInstalledCheck(std::function<bool()> check) { m_installed = std::move(check); }

    QPrinter *printer();
    // The printer while one is installed, else null.
    QPrinter *installedPrinter() { return installed() ? printer() : nullptr; }

private:
    std::unique_ptr<QPrinter> m_printer;
    std::function<bool()> m_installed;
};

} // namespace core

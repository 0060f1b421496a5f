#include "SearchKeys.h"

#include <array>
#include <stdexcept>

namespace search {

namespace {

const std::array<SearchKey, KeyCount> &keys()
{
    static const std::array<SearchKey, KeyCount> table = {{
        {1, "OfficeLabel1", "Vyhledávání podle evidenčního čísla knihy",
         "Zobrazí dialog pro vyhledání záznamu podle čísla", "Vyhledávání podle evidenčního čísla",
         "CISLO", {QStringLiteral("CISLO")}, 30, false},
        {2, "OfficeLabel2", "Vyhledávání podle názvu knihy",
         "Zobrazí dialog pro vyhledání záznamu podle názvu knihy", "Vyhledávání podle názvu knihy",
         "NAZEV", {QStringLiteral("NAZEV")}, 69, true},
        {3, "OfficeLabel3", "Vyhledávání podle jména autora",
         "Zobrazí dialog pro vyhledání záznamu podle jména autora knihy", "Vyhledávání podle jména autora",
         "AUTOR", {QStringLiteral("AUTOR"), QStringLiteral("NAZEV")}, 99, true},
        {4, "OfficeLabel4", "Vyhledávání podle jména ilustrátora",
         "Zobrazí dialog pro vyhledání záznamu podle jména ilustrátora knihy", "Vyhledávání podle ilustrátora",
         "ILUSTRACE", {QStringLiteral("ILUSTRACE"), QStringLiteral("NAZEV")}, 119, false},
        {5, "OfficeLabel5", "Vyhledávání podle původního názvu",
         "Zobrazí dialog pro vyhledání záznamu podle původního názvu knihy", "Vyhledávání podle původního názvu",
         "ORIGINAL", {QStringLiteral("ORIGINAL")}, 119, false},
        {6, "OfficeLabel7", "Vyhledávání podle vydavatele knihy",
         "Zobrazí dialog pro vyhledání záznamu podle vydavatele knihy", "Vyhledávání podle vydavatele",
         "VYDAVATEL", {QStringLiteral("VYDAVATEL"), QStringLiteral("NAZEV")}, 135, false},
        {7, "OfficeLabel6", "Vyhledávání podle vypůjčené knihy",
         "Zobrazí dialog pro vyhledání záznamu podle vypůjčené knihy", "Vyhledávání podle vypůjčené knihy",
         "PUJCENO", {QStringLiteral("NAZEV")}, 150, false},
    }};
    return table;
}

} // namespace

const SearchKey &searchKey(int k)
{
    if (k < 1 || k > KeyCount)
        throw std::out_of_range("search key");
    return keys()[size_t(k - 1)];
}

} // namespace search

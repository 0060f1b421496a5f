#include "AuxiliaryCopy.h"

#include "TableDefinitions.h"

#include "dbase/CodePage.h"
#include "dbase/FieldCodec.h"

#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace core {

namespace {

bool hasTitle(const dbase::Table &catalogue, int titleIndex)
{
    const QByteArrayView bytes = catalogue.fieldBytes(titleIndex);
    for (char c : bytes)
        if (c != ' ' && c != '\0')
            return true;
    return false;
}

// How one of the shared fields goes over: its bytes as they stand where
// both fields are alike and the bytes read back the same, its text form
// otherwise.
struct FieldCopy
{
    QString name;
    int source = -1;
    int target = -1;
    bool bytewise = false;
    // The bytes of the code page whose character is written back as the
    // same byte; a text field holding any other goes through its text form.
    const std::array<bool, 256> *safeBytes = nullptr;
    const dbase::FieldDef *definition = nullptr; // of the source field

    // Whether this record's value of the field goes over as its bytes.
    bool carries(QByteArrayView bytes) const
    {
        if (!bytewise)
            return false;
        if (definition->type == 'C')
            return carriesBytewise(bytes);
        return dbase::isWrittenForm(*definition, {bytes.data(), int(bytes.size())});
    }

private:
    bool carriesBytewise(QByteArrayView bytes) const
    {
        // Eight bytes at a time while they are printable ASCII (no NUL,
        // none above 127), which every code page keeps as it is; the rest
        // through the table.
        const char *p = bytes.data();
        const char *end = p + bytes.size();
        constexpr quint64 ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
        for (; end - p >= 8; p += 8) {
            quint64 v;
            std::memcpy(&v, p, 8);
            if ((v & highs) || ((v - ones) & ~v & highs))
                break;
        }
        for (; p < end; ++p)
            if (!(*safeBytes)[uchar(*p)])
                return false;
        return true;
    }
};

// The bytes of a character field that read as one character each and are
// written back as that byte. NUL is not one: the text form drops it at the
// end of a value.
std::array<bool, 256> roundTripBytes(quint8 driver)
{
    std::array<bool, 256> safe{};
    const dbase::CodePage page(driver);
    for (int b = 1; b < 256; ++b) {
        const char c = char(b);
        const QString text = page.decode(&c, 1);
        const std::optional<QByteArray> back = page.encode(text);
        safe[size_t(b)] = text.size() == 1 && back && back->size() == 1 && back->at(0) == c;
    }
    return safe;
}

std::vector<FieldCopy> copyPlan(const dbase::Table &catalogue, const dbase::Table &auxiliary)
{
    static const QList<dbase::FieldDef> fields = auxiliaryFields();
    const bool sameDriver = catalogue.languageDriver() == auxiliary.languageDriver();
    static std::map<quint8, std::array<bool, 256>> tables;
    static std::mutex tablesLock;
    const std::array<bool, 256> *safe = nullptr;
    if (sameDriver) {
        const std::lock_guard<std::mutex> lock(tablesLock);
        auto it = tables.find(auxiliary.languageDriver());
        if (it == tables.end())
            it = tables.emplace(auxiliary.languageDriver(), roundTripBytes(auxiliary.languageDriver())).first;
        safe = &it->second;
    }
    std::vector<FieldCopy> plan;
    for (const dbase::FieldDef &f : fields) {
        FieldCopy c;
        c.name = f.name;
        c.source = catalogue.fieldIndex(f.name);
        c.target = auxiliary.fieldIndex(f.name);
        if (c.target < 0)
            continue; // a copy made for one report carries only what it reads
        c.safeBytes = safe;
        if (sameDriver && c.source >= 0 && c.target >= 0) {
            const dbase::FieldDef &from = catalogue.fields().at(c.source);
            const dbase::FieldDef &to = auxiliary.fields().at(c.target);
            // Text fields, and numbers and dates in the form the engine
            // writes; a number or a date stored in another form is made
            // plain by the text form.
            c.definition = &from;
            c.bytewise = from.type == to.type && from.length == to.length && from.decimals == to.decimals
                         && (from.type == 'C' || from.type == 'N' || from.type == 'F' || from.type == 'D');
        }
        plan.push_back(c);
    }
    return plan;
}

} // namespace

int countTitledBooks(dbase::Table &catalogue)
{
    const int title = catalogue.fieldIndex(QStringLiteral("NAZEV"));
    if (title < 0)
        return 0;
    int count = 0;
    for (catalogue.first(); !catalogue.eof(); catalogue.next())
        if (hasTitle(catalogue, title))
            ++count;
    return count;
}

int copyTitledBooks(dbase::Table &catalogue, dbase::Table &auxiliary,
                    const std::function<void(int copied)> &step)
{
    const int title = catalogue.fieldIndex(QStringLiteral("NAZEV"));
    if (title < 0)
        return 0;
    const std::vector<FieldCopy> plan = copyPlan(catalogue, auxiliary);
    int copied = 0;
    // One batch: readers see the whole copy at once when it is committed,
    // and no record costs more than its bytes in memory until then.
    auxiliary.beginAppend(quint32(catalogue.recordCount()));
    try {
        for (catalogue.first(); !catalogue.eof(); catalogue.next()) {
            if (!hasTitle(catalogue, title))
                continue;
            auxiliary.insert();
            for (const FieldCopy &f : plan) {
                const QByteArrayView bytes = f.source >= 0 ? catalogue.fieldBytes(f.source) : QByteArrayView();
                if (f.carries(bytes))
                    auxiliary.setFieldBytes(f.target, bytes);
                else
                    auxiliary.setFieldText(f.name, catalogue.fieldText(f.name));
            }
            auxiliary.post();
            ++copied;
            if (step)
                step(copied);
        }
        auxiliary.commitAppend();
    } catch (...) {
        auxiliary.rollbackAppend();
        throw;
    }
    catalogue.last();
    return copied;
}

} // namespace core

#include "Csv.h"

#include <QStringDecoder>

void appendCsvField(QByteArray &out, const QString &value)
{
    bool quote = false;
    for (const QChar c : value) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r')) {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out.append(value.toUtf8());
        return;
    }
    out.append('"');
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    out.append(doubled.toUtf8());
    out.append('"');
}

void appendCsvRecord(QByteArray &out, const QStringList &fields)
{
    // A lone empty value is quoted, or the record would read as an empty line.
    if (fields.size() == 1 && fields.first().isEmpty()) {
        out.append("\"\"\r\n", 4);
        return;
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        appendCsvField(out, fields.at(i));
    }
    out.append("\r\n", 2);
}

CsvReader::CsvReader(const QByteArray &utf8)
{
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    m_text = decoder(bytes);
    if (decoder.hasError())
        m_error = QStringLiteral("vstup není platný text v kódování UTF-8");
}

bool CsvReader::next(QStringList &fields)
{
    fields.clear();
    if (!m_error.isEmpty())
        return false;
    // Skip empty lines.
    while (m_pos < m_text.size()) {
        if (m_text.at(m_pos) == QLatin1Char('\n'))
            ++m_pos;
        else if (m_text.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < m_text.size()
                 && m_text.at(m_pos + 1) == QLatin1Char('\n'))
            m_pos += 2;
        else
            break;
    }
    if (m_pos >= m_text.size())
        return false;
    ++m_record;

    const qsizetype n = m_text.size();
    QString field;
    while (true) {
        field.clear();
        if (m_pos < n && m_text.at(m_pos) == QLatin1Char('"')) {
            // Quoted field: runs to the closing quote, "" stands for one quote.
            ++m_pos;
            while (true) {
                if (m_pos >= n) {
                    m_error = QStringLiteral("uvozovky pole nejsou uzavřeny");
                    return false;
                }
                const QChar c = m_text.at(m_pos++);
                if (c == QLatin1Char('"')) {
                    if (m_pos < n && m_text.at(m_pos) == QLatin1Char('"')) {
                        field.append(QLatin1Char('"'));
                        ++m_pos;
                    } else {
                        break;
                    }
                } else {
                    field.append(c);
                }
            }
            if (m_pos < n && m_text.at(m_pos) != QLatin1Char(',') && m_text.at(m_pos) != QLatin1Char('\n')
                && !(m_text.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < n
                     && m_text.at(m_pos + 1) == QLatin1Char('\n'))) {
                m_error = QStringLiteral("za uzavíracími uvozovkami pole následuje další text");
                return false;
            }
        } else {
            while (m_pos < n) {
                const QChar c = m_text.at(m_pos);
                if (c == QLatin1Char(',') || c == QLatin1Char('\n'))
                    break;
                if (c == QLatin1Char('\r') && m_pos + 1 < n && m_text.at(m_pos + 1) == QLatin1Char('\n'))
                    break;
                if (c == QLatin1Char('"')) {
                    m_error = QStringLiteral("uvozovky uprostřed pole, které v uvozovkách není");
                    return false;
                }
                field.append(c);
                ++m_pos;
            }
        }
        fields.append(field);
        if (m_pos >= n)
            return true;
        const QChar c = m_text.at(m_pos);
        if (c == QLatin1Char(',')) {
            ++m_pos;
            continue;
        }
        m_pos += (c == QLatin1Char('\r')) ? 2 : 1; // end of the record
        return true;
    }
}

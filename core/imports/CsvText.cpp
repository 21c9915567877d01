#include "imports/CsvText.h"

#include "records/Cp932.h"

#include <QStringDecoder>

namespace CsvText {

namespace {

const QString NotText =
    QStringLiteral("文字のファイルではありません。CSVファイルを選んでください。");

// A character no text file holds: a control other than the tab and the line ends, or the
// replacement for bytes no encoding could read.
bool isOutOfText(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\n' || u == u'\r')
        return false;
    return u < 0x20 || u == 0x7F || u == 0xFFFD;
}

// One character in ten out of text is more than any hand-made or exported file has; a picture
// or a spreadsheet's binary file has far more.
bool looksBinary(const QString& text)
{
    qsizetype outOfText = 0;
    for (const QChar c : text)
        outOfText += isOutOfText(c) ? 1 : 0;
    return outOfText * 10 > text.size();
}

std::optional<QString> strictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Excel saves "Unicode text" as UTF-16 with a byte-order mark; that alone may hold NUL bytes.
std::optional<QString> asUtf16(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return strictly(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return strictly(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    return std::nullopt;
}

std::optional<QString> asEightBit(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    if (std::optional<QString> utf8 = strictly(QStringConverter::Utf8, view))
        return utf8;
    return Cp932::decode(view);
}

} // namespace

std::optional<QString> decoded(const QByteArray& bytes, QString* error)
{
    std::optional<QString> text = asUtf16(bytes);
    if (!text)
        text = asEightBit(bytes);
    if (text && text->trimmed().isEmpty()) {
        *error = QStringLiteral("ファイルが空です。");
        return std::nullopt;
    }
    if (!text || looksBinary(*text)) {
        *error = NotText;
        return std::nullopt;
    }
    return text;
}

QChar delimiterOf(const QString& text)
{
    const QString candidates = QStringLiteral(",;\t");
    int counts[3] = {0, 0, 0};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'\n' && (counts[0] || counts[1] || counts[2]))
            break;
        else if (!quoted && candidates.contains(c))
            ++counts[candidates.indexOf(c)];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates.at(best);
}

namespace {

// Reads the text one character at a time, a record at a time.
class Splitter
{
public:
    Splitter(const QString& text) : m_text(text), m_delimiter(delimiterOf(text)) {}

    std::optional<QList<Record>> run(QString* error)
    {
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            const QChar c = m_text.at(i);
            const QChar next = i + 1 < m_text.size() ? m_text.at(i + 1) : QChar();
            if (c == u'\n')
                ++m_line;
            if (m_inQuotes) {
                if (c != u'"')
                    m_field += c;
                else if (next == u'"')
                    m_field += m_text.at(++i);
                else
                    m_inQuotes = false;
            } else if (c == u'"' && m_field.isEmpty() && !m_wasQuoted) {
                m_inQuotes = m_wasQuoted = true;
                m_quoteLine = m_line;
            } else if (c == m_delimiter) {
                endField();
            } else if (c == u'\n') {
                endRecord();
                m_recordLine = m_line;
            } else if (!(c == u'\r' && next == u'\n')) {
                m_field += c;
            }
        }
        if (m_inQuotes) {
            *error = QStringLiteral("引用符で囲まれた項目が閉じないまま、ファイルが終わっています"
                                    "（%1行目）。")
                         .arg(m_quoteLine);
            return std::nullopt;
        }
        endRecord();
        return m_records;
    }

private:
    void endField()
    {
        m_current.fields.append(m_field);
        m_field.clear();
        m_wasQuoted = false;
    }

    // A line of blanks alone is no record, quoted or not.
    void endRecord()
    {
        endField();
        const bool blank =
            m_current.fields.size() == 1 && m_current.fields.front().trimmed().isEmpty();
        if (!blank) {
            m_current.line = m_recordLine;
            m_records.append(m_current);
        }
        m_current = Record();
    }

    const QString& m_text;
    const QChar m_delimiter;
    QList<Record> m_records;
    Record m_current;
    QString m_field;
    bool m_inQuotes = false;
    bool m_wasQuoted = false; // the field began with a quote: later quotes are its text
    qint64 m_line = 1;
    qint64 m_recordLine = 1;
    qint64 m_quoteLine = 1;
};

} // namespace

std::optional<QList<Record>> records(const QString& text, QString* error)
{
    return Splitter(text).run(error);
}

} // namespace CsvText

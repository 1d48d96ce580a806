#include "view/CSheetCodec.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include "model/TextEncoding.h"

namespace {

QString FromWindows1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text += QChar(static_cast<char16_t>(ts::Windows1252ToUnicode(static_cast<unsigned char>(c))));
    return text;
}

bool IsUtf8Name(const std::string& charset)
{
    return charset.empty() || charset == "UTF-8" || charset == "utf-8" || charset == "UTF8";
}

} // namespace

CSheetCodec::CSheetCodec(std::string charset)
    : m_charset(std::move(charset))
    , m_utf8(IsUtf8Name(m_charset))
    , m_known(m_utf8 || QStringDecoder(m_charset.c_str()).isValid())
{
}

QString CSheetCodec::Decode(std::string_view bytes) const
{
    if (m_utf8 || !m_known) {
        if (ts::IsValidUtf8(bytes))
            return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return FromWindows1252(bytes);
    }
    QStringDecoder decoder(m_charset.c_str());
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool CSheetCodec::Encode(const QString& text, std::string& bytes) const
{
    if (m_utf8 || !m_known) {
        bytes = text.toStdString();
        return true;
    }
    QStringEncoder encoder(m_charset.c_str());
    const QByteArray encoded = encoder.encode(text);
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    // A character without a form comes out as a substitute; only the way
    // back tells.
    return !encoder.hasError() && Decode(bytes) == text;
}

std::string CSheetCodec::ToUtf8(std::string_view bytes) const
{
    return Decode(bytes).toStdString();
}

bool CSheetCodec::FromUtf8(std::string_view utf8, std::string& bytes) const
{
    return Encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), bytes);
}

QString CSheetCodec::TextOf(const ISheetCodec& codec, std::string_view bytes)
{
    return QString::fromStdString(codec.ToUtf8(bytes));
}

bool CSheetCodec::BytesOf(const ISheetCodec& codec, const QString& text, std::string& bytes)
{
    return codec.FromUtf8(text.toStdString(), bytes);
}

std::vector<std::pair<std::string, QString>> CSheetCodec::Choices()
{
    // Named in the program's language each time: the language may change
    // while the program runs (tests switch it).
    static const std::pair<const char*, const char*> choices[] = {
        {"UTF-8", QT_TRANSLATE_NOOP("CSheetCodec", "Unicode (UTF-8)")},
        {"WINDOWS-1252", QT_TRANSLATE_NOOP("CSheetCodec", "Western European (Windows-1252)")},
        {"ISO-8859-1", QT_TRANSLATE_NOOP("CSheetCodec", "Western European (ISO-8859-1)")},
        {"ISO-8859-15", QT_TRANSLATE_NOOP("CSheetCodec", "Western European (ISO-8859-15)")},
        {"WINDOWS-1250", QT_TRANSLATE_NOOP("CSheetCodec", "Central European (Windows-1250)")},
        {"ISO-8859-2", QT_TRANSLATE_NOOP("CSheetCodec", "Central European (ISO-8859-2)")},
        {"WINDOWS-1251", QT_TRANSLATE_NOOP("CSheetCodec", "Cyrillic (Windows-1251)")},
        {"KOI8-R", QT_TRANSLATE_NOOP("CSheetCodec", "Cyrillic (KOI8-R)")},
        {"ISO-8859-5", QT_TRANSLATE_NOOP("CSheetCodec", "Cyrillic (ISO-8859-5)")},
        {"WINDOWS-1253", QT_TRANSLATE_NOOP("CSheetCodec", "Greek (Windows-1253)")},
        {"ISO-8859-7", QT_TRANSLATE_NOOP("CSheetCodec", "Greek (ISO-8859-7)")},
        {"WINDOWS-1254", QT_TRANSLATE_NOOP("CSheetCodec", "Turkish (Windows-1254)")},
        {"WINDOWS-1255", QT_TRANSLATE_NOOP("CSheetCodec", "Hebrew (Windows-1255)")},
        {"WINDOWS-1256", QT_TRANSLATE_NOOP("CSheetCodec", "Arabic (Windows-1256)")},
        {"WINDOWS-1257", QT_TRANSLATE_NOOP("CSheetCodec", "Baltic (Windows-1257)")},
        {"WINDOWS-1258", QT_TRANSLATE_NOOP("CSheetCodec", "Vietnamese (Windows-1258)")},
        {"WINDOWS-874", QT_TRANSLATE_NOOP("CSheetCodec", "Thai (Windows-874)")},
        {"SHIFT_JIS", QT_TRANSLATE_NOOP("CSheetCodec", "Japanese (Shift_JIS)")},
        {"EUC-JP", QT_TRANSLATE_NOOP("CSheetCodec", "Japanese (EUC-JP)")},
        {"GB18030", QT_TRANSLATE_NOOP("CSheetCodec", "Chinese Simplified (GB18030)")},
        {"BIG5", QT_TRANSLATE_NOOP("CSheetCodec", "Chinese Traditional (Big5)")},
        {"EUC-KR", QT_TRANSLATE_NOOP("CSheetCodec", "Korean (EUC-KR)")},
    };
    std::vector<std::pair<std::string, QString>> named;
    for (const auto& [name, label] : choices)
        named.emplace_back(name, QCoreApplication::translate("CSheetCodec", label));
    return named;
}

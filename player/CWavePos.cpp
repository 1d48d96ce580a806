#include "player/CWavePos.h"

#include <algorithm>
#include <cstdint>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace {

constexpr int kCellHeight = 16;  // pixels, ascent plus descent
constexpr int kBottomInset = 2;  // pixels kept free under the text

// Whole minutes: the 8 bits of a cue time's minutes do not hold a long
// file's length.
bool FormatMsf(const CCueTime& time, std::uint32_t& minutes, std::uint32_t& seconds,
               std::uint32_t& frames)
{
    if (time.Format() == TimeFormat::Msf) {
        return time.ToMsf(CCueTime::kFramesPerSecond, minutes, seconds, frames);
    }
    std::uint32_t ms = 0;
    if (!time.ToMilliseconds(ms)) {
        return false;
    }
    const std::uint64_t total = (std::uint64_t{ms} * CCueTime::kFramesPerSecond + 500) / 1000;
    minutes = static_cast<std::uint32_t>(total / CCueTime::kFramesPerSecond / 60);
    seconds = static_cast<std::uint32_t>(total / CCueTime::kFramesPerSecond % 60);
    frames = static_cast<std::uint32_t>(total % CCueTime::kFramesPerSecond);
    return true;
}

QString MsfText(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames)
{
    return QString::asprintf("%.2d:%.2d:%.2d", static_cast<int>(minutes), static_cast<int>(seconds),
                             static_cast<int>(frames));
}

} // namespace

CWavePos::CWavePos(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Wave Pos text control"));
    setAccessibleName(windowTitle());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The erase before each paint: the button face.
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    setAutoFillBackground(true);
    m_normalFont = font();
    m_boldFont = font();
    m_boldFont.setWeight(QFont::Bold);
    m_gap = QFontMetrics(m_boldFont, this).horizontalAdvance(QLatin1Char(' '));
}

bool CWavePos::InitFonts()
{
    // A positive logical font height is the cell height, so the pixel size
    // comes down until ascent plus descent fit in 16 pixels.
    QFont base = QApplication::font();
    int pixelSize = kCellHeight;
    base.setPixelSize(pixelSize);
    while (pixelSize > 6 && QFontMetrics(base, this).height() > kCellHeight) {
        base.setPixelSize(--pixelSize);
    }
    base.setWeight(QFont::Normal);
    m_normalFont = base;
    base.setWeight(QFont::Bold);
    m_boldFont = base;
    m_gap = QFontMetrics(m_boldFont, this).horizontalAdvance(QLatin1Char(' '));
    update();
    return true;
}

QString CWavePos::WaveTimeText(const CCueTime& time)
{
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t frames = 0;
    if (!FormatMsf(time, minutes, seconds, frames)) {
        return {};
    }
    return MsfText(minutes, seconds, frames);
}

CCueTime CWavePos::ParseWaveTime(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() == 3) {
        bool ok[3] = {};
        const qulonglong minutes = parts[0].toULongLong(&ok[0]);
        const uint seconds = parts[1].toUInt(&ok[1]);
        const uint frames = parts[2].toUInt(&ok[2]);
        // Beyond what a cue time's minutes hold: milliseconds carry it.
        if (ok[0] && ok[1] && ok[2] && minutes > 255 && seconds < 60 && frames < CCueTime::kFramesPerSecond) {
            const std::uint64_t ms = ((minutes * 60 + seconds) * CCueTime::kFramesPerSecond + frames) * 1000 /
                                     CCueTime::kFramesPerSecond;
            if (ms <= 0xFFFFFFFFu) {
                return CCueTime::FromMilliseconds(static_cast<std::uint32_t>(ms));
            }
        }
    }
    return CCueTime::Parse(text.toStdString());
}

QString CWavePos::DisplayNameOf(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')),
                                     fileName.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0) {
        return fileName.mid(slash + 1);
    }
    // "C:NAME.WAV": a drive without a folder.
    if (fileName.size() >= 2 && fileName.at(1) == QLatin1Char(':') && fileName.at(0).isLetter()) {
        return fileName.mid(2);
    }
    return fileName;
}

bool CWavePos::SetFileName(const QString& fileName)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif
    if (fileName.compare(m_fileName, kNames) == 0) {
        return true;
    }
    m_fileName = fileName;
    m_displayName = DisplayNameOf(fileName);
    // No bar shows more than a few hundred characters of a name: a longer
    // one is cut in its middle here, before anything measures or shapes it.
    constexpr qsizetype kLongestShown = 512;
    if (m_displayName.size() > kLongestShown) {
        m_displayName = m_displayName.left(kLongestShown / 2) + QChar(0x2026)
            + m_displayName.right(kLongestShown / 2 - 1);
    }
    m_reason.clear();
    Changed();
    return true;
}

bool CWavePos::SetReason(const QString& reason)
{
    if (reason == m_reason) {
        return true;
    }
    m_reason = reason;
    Changed();
    return true;
}

QString CWavePos::Text() const
{
    if (m_displayName.isEmpty()) {
        return {};
    }
    if (!m_reason.isEmpty()) {
        return m_displayName + QStringLiteral(": ") + m_reason;
    }
    QString position;
    QString length;
    FormatPosition(position);
    FormatLength(length);
    QString text = m_displayName + QLatin1Char(' ') + position;
    if (!length.isEmpty()) {
        text += QLatin1Char(' ') + length;
    }
    return text;
}

bool CWavePos::SetPosition(const CCueTime& position)
{
    if (CCueTime::Compare(position, m_position) == 0) {
        return true;
    }
    m_position = position;
    Changed();
    return true;
}

bool CWavePos::SetLength(const CCueTime& length)
{
    if (CCueTime::Compare(length, m_length) == 0) {
        return true;
    }
    m_length = length;
    Changed();
    return true;
}

void CWavePos::Changed()
{
    update();
    Q_EMIT ContentChanged();
}

bool CWavePos::FormatPosition(QString& text) const
{
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t frames = 0;
    if (!FormatMsf(m_position, minutes, seconds, frames)) {
        return false;
    }
    text = MsfText(minutes, seconds, frames);
    return true;
}

bool CWavePos::FormatLength(QString& text) const
{
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t frames = 0;
    if (!FormatMsf(m_length, minutes, seconds, frames)) {
        return false;
    }
    if (minutes != 0 || seconds != 0 || frames != 0) {
        text = QLatin1Char('(') + MsfText(minutes, seconds, frames) + QLatin1Char(')');
    }
    return true;
}

QString CWavePos::ShownName() const
{
    // A long name gives way in its middle so that the figures stay whole.
    QString position;
    QString length;
    FormatPosition(position);
    FormatLength(length);
    int figures = m_gap + QFontMetrics(m_boldFont, this).horizontalAdvance(position);
    if (!length.isEmpty()) {
        figures += m_gap + QFontMetrics(m_normalFont, this).horizontalAdvance(length);
    }
    const QFontMetrics normal(m_normalFont, this);
    const int room = width() - figures;
    if (normal.horizontalAdvance(m_displayName) <= room) {
        return m_displayName;
    }
    return normal.elidedText(m_displayName, Qt::ElideMiddle, qMax(room, normal.averageCharWidth() * 4));
}

void CWavePos::paintEvent(QPaintEvent* /*event*/)
{
    if (m_displayName.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    QRect area = rect().adjusted(0, 0, 0, -kBottomInset);

    if (!m_reason.isEmpty()) {
        // A file that cannot be played: its name and why, greyed.
        painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.setFont(m_normalFont);
        const QFontMetrics normal(m_normalFont, this);
        painter.drawText(area, kFlags, normal.elidedText(Text(), Qt::ElideMiddle, area.width()));
        return;
    }

    const QString name = ShownName();
    painter.setFont(m_normalFont);
    painter.drawText(area, kFlags, name);
    area.setLeft(area.left() + QFontMetrics(m_normalFont, this).horizontalAdvance(name) + m_gap);

    QString position;
    FormatPosition(position);
    painter.setFont(m_boldFont);
    painter.drawText(area, kFlags, position);
    area.setLeft(area.left() + QFontMetrics(m_boldFont, this).horizontalAdvance(position) + m_gap);

    QString length;
    FormatLength(length);
    painter.setFont(m_normalFont);
    painter.drawText(area, kFlags, length);
}

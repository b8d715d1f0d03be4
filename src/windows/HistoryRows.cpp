#include "windows/HistoryRows.hpp"

#include <QDateTime>
#include <QRegularExpression>
#include <QStandardItemModel>

#include <cmath>

namespace spinewise::HistoryRows {
namespace {

/// The locale's long time format without its time zone: hours, minutes and seconds.
QString timeWithSeconds(const QLocale& locale) {
    static const QRegularExpression timeZone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.timeFormat(QLocale::LongFormat).remove(timeZone).trimmed();
}

QStandardItem* cell(const QString& text, const QVariant& sortKey) {
    auto* item = new QStandardItem(text);
    item->setData(sortKey, kSortRole);
    item->setEditable(false);
    return item;
}

/// "Good" for correct, "Poor", "Unknown".
QString postureWord(Posture::State state) {
    switch (state) {
    case Posture::State::poor:
        return QStringLiteral("Poor");
    case Posture::State::unknown:
        return QStringLiteral("Unknown");
    case Posture::State::correct:
        break;
    }
    return QStringLiteral("Good");
}

/// A time in seconds since 2001-01-01 UTC as a date and time.
QDateTime dateOfStart(TimeInterval start) {
    const auto milliseconds = std::llround((start + kUnixToReferenceDate) * 1000.0);
    return QDateTime::fromMSecsSinceEpoch(milliseconds);
}

QString dateText(const QDateTime& date, const QLocale& locale) {
    return locale.toString(date.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(date.time(), timeWithSeconds(locale));
}

}  // namespace

void fill(QStandardItemModel& model, const std::vector<Posture>& history, const QLocale& locale) {
    model.setRowCount(0);
    for (const Posture& posture : history) {
        const QString word = postureWord(posture.state);
        model.appendRow({cell(dateText(dateOfStart(posture.start), locale), posture.start), cell(word, word)});
    }
}

}  // namespace spinewise::HistoryRows

#pragma once

#include "posture/Posture.hpp"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

class QStandardItemModel;

namespace spinewise {

/// The rows of the history table: a date column and a verdict column. Each
/// cell sorts by kSortRole: the date by its time, the verdict by its word.
namespace HistoryRows {

inline constexpr int kDateColumn = 0;
inline constexpr int kPostureColumn = 1;
inline constexpr int kSortRole = Qt::UserRole;

/// "Good" for correct, "Poor", "Unknown".
QString postureWord(Posture::State state);

/// A time in seconds since 2001-01-01 UTC as a date and time.
QDateTime dateOfStart(TimeInterval start);

/// The date and time with seconds, in the locale's short date and time formats.
QString dateText(const QDateTime& date, const QLocale& locale);

/// Replaces the model's rows by one row per posture, in history order.
void fill(QStandardItemModel& model, const std::vector<Posture>& history, const QLocale& locale);

}  // namespace HistoryRows
}  // namespace spinewise

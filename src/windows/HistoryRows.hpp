#pragma once

#include "posture/Posture.hpp"

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

/// Replaces the model's rows by one row per posture, in history order: the
/// posture's start in the locale's short date and its time with seconds, and
/// "Good" (correct), "Poor" or "Unknown".
void fill(QStandardItemModel& model, const std::vector<Posture>& history, const QLocale& locale);

}  // namespace HistoryRows
}  // namespace spinewise

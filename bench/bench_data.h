#pragma once

#include "core/codec.h"
#include "core/data_file.h"

#include <QString>

// Data at the formats' limits, made by the benchmark itself.
enum class RecordOrder { Ascending, Descending, Random };

inline constexpr int kLimit = 32767;

// `count` distinct entries of a kind, ascending.
[[nodiscard]] veq::Entries distinctEntries(veq::RecordKind kind, int count, unsigned seed);
[[nodiscard]] veq::Entries inOrder(veq::Entries sortedEntries, RecordOrder order, unsigned seed);
// A data-file image whose records stand exactly in the given order.
[[nodiscard]] veq::Bytes dataImage(veq::RecordKind kind, const veq::Entries& records);
// A squadron file whose records hold `planeEntries` plane entries in all.
[[nodiscard]] veq::Bytes squadronImage(int planeEntries, unsigned seed);
void writeFile(const QString& path, const veq::Bytes& bytes);
// `count` empty bitmap files named after part ids, in `folder`.
void makeBitmaps(const QString& folder, const veq::Entries& ids);

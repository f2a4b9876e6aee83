#pragma once

#include <QString>

// What resting the pointer on a part id in Extra's list shows, so that the
// user sees which part a bitmap draws without opening it elsewhere: the
// bitmap at `path`, read only then, at most kPreviewSide pixels on its longer
// side, under its file name; or, when it cannot be read, why. Rich text, as a
// tooltip takes it.
inline constexpr int kPreviewSide = 128;
[[nodiscard]] QString bitmapPreview(const QString& path);

#include "app/settings/ControlOptions.h"

#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"
#include "app/settings/OptionTable.h"

namespace {

template <typename Options>
Options From(const OptionControls& controls) {
  ThumbnailOptions thumbnail;
  AlbumOptions album;
  for (const OptionRow& row : OptionTable())
    SetOptionValue(row, thumbnail, album, ControlValueOf(controls, row.control));
  if (thumbnail.thumbStyleIndex != kStyleNormal) thumbnail.resizeMode = kResizeKeepAspect;
  if constexpr (std::is_same_v<Options, ThumbnailOptions>)
    return thumbnail;
  else
    return album;
}

}  // namespace

ThumbnailOptions ThumbnailOptionsFrom(const OptionControls& controls) { return From<ThumbnailOptions>(controls); }
AlbumOptions AlbumOptionsFrom(const OptionControls& controls) { return From<AlbumOptions>(controls); }

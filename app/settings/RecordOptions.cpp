#include "app/settings/RecordOptions.h"

#include "app/settings/OptionTable.h"

namespace {

template <typename Options>
bool Holds(const OptionRow& row) {
  return std::visit([](auto member) { return std::is_invocable_v<decltype(member), const Options&>; }, row.member);
}

bool Stored(const OptionRow& row) { return !std::holds_alternative<std::monostate>(row.field); }

// Every stored option of the record, brought into its control's range.
void OptionsOf(const SettingsRecord& record, ThumbnailOptions& thumbnail, AlbumOptions& album) {
  for (const OptionRow& row : OptionTable())
    if (Stored(row)) SetOptionValue(row, thumbnail, album, RecordValue(row, record));
}

template <typename Options>
void Store(SettingsRecord& record, const ThumbnailOptions& thumbnail, const AlbumOptions& album) {
  for (const OptionRow& row : OptionTable())
    if (Stored(row) && Holds<Options>(row)) SetRecordValue(row, record, OptionValue(row, thumbnail, album));
}

}  // namespace

ThumbnailOptions ThumbnailOptionsOf(const SettingsRecord& record) {
  ThumbnailOptions thumbnail;
  AlbumOptions album;
  OptionsOf(record, thumbnail, album);
  return thumbnail;
}

AlbumOptions AlbumOptionsOf(const SettingsRecord& record) {
  ThumbnailOptions thumbnail;
  AlbumOptions album;
  OptionsOf(record, thumbnail, album);
  return album;
}

void StoreThumbnailOptions(SettingsRecord& record, const ThumbnailOptions& options) {
  Store<ThumbnailOptions>(record, options, AlbumOptions());
}

void StoreAlbumOptions(SettingsRecord& record, const AlbumOptions& options) {
  Store<AlbumOptions>(record, ThumbnailOptions(), options);
}

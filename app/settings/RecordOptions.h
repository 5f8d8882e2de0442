#pragma once
// The thumbnail and album options held in a settings record, as the engine
// and the album writer take them, and back. Numbers and list positions are
// brought into their controls' ranges on the way out, as when they are
// applied to the controls.
#include "app/album/AlbumOptions.h"
#include "app/engine/ThumbnailOptions.h"
#include "app/settings/SettingsRecord.h"

ThumbnailOptions ThumbnailOptionsOf(const SettingsRecord& record);
// Not in the record, so at their defaults: noTableFormatting,
// openInNewWindow, createFullsizePages.
AlbumOptions AlbumOptionsOf(const SettingsRecord& record);

void StoreThumbnailOptions(SettingsRecord& record, const ThumbnailOptions& options);
void StoreAlbumOptions(SettingsRecord& record, const AlbumOptions& options);

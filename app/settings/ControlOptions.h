#pragma once
// The run's options and the album's, read from a set of option controls
// through the option table: the one way they are built, for the window (its
// option pages) and for quillmora-batch (OptionValues from the settings file
// and the command line).
#include "app/album/AlbumOptions.h"
#include "app/engine/ThumbnailOptions.h"
#include "app/settings/OptionControls.h"

// The framed styles always keep the aspect ratio (choosing one on the
// options page sets "Maintain Aspect Ratio").
ThumbnailOptions ThumbnailOptionsFrom(const OptionControls& controls);
AlbumOptions AlbumOptionsFrom(const OptionControls& controls);

// Pictures across the COM boundary. The library's `Picture` goes out to a host
// as an OLE picture (IPictureDisp): a bitmap for an opaque image, an icon for
// one with transparency, OLE's empty picture (PICTYPE_NONE) for the empty
// picture. A host's IPicture comes in as a `Picture` whose image is read from
// the picture's bitmap or icon handle (or rendered, for metafiles).
//
// Each `Picture` is paired with one OLE picture for as long as it lives: a
// host that stores a picture gets the very same object back (`Is` holds), and
// a picture that goes out and comes back in is the same `Picture`.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "branding/picture.h"

namespace zs::server {

// The OLE picture for `picture`, as IDispatch (AddRef'd).
IDispatch* olePictureFor(const branding::PicturePtr& picture);

// The picture for a host object: null when it is not an IPicture. Raises 481
// for a picture whose image cannot be read or exceeds the picture limits.
branding::PicturePtr pictureFromOle(IUnknown* object);

// A new picture read from an OLE picture, not paired with it: its bitmap or
// icon handle read into pixels, a metafile drawn on white, an empty or
// uninitialised picture as the empty picture. Raises 481 like pictureFromOle.
branding::PicturePtr readOlePicture(IPicture* ole);

}  // namespace zs::server

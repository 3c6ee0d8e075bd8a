// The class framework over the host's document records. Class tree:
//   __FCBase
//     __FCBaseData                      one host record: bytes, key, version
//       __FCOther
//         __FCNoInciOther               by item number
//         __FCInciOther                 by item number and incident
//       __FCGlobals                     by globals number
//       __FCCellDetail                  by cell and incident
//       __FCEntryDetail                 by entry number and incident
//     __FCIteratorBase
//       __FCCollection                  owning array of framework objects
//         __FCCollectionData            filled from host records
//           __FCCollectionInciOther
//           __FCCollectionEntryDetail
//       __FCBrowserBase                 walks host records without keeping them
//         __FCBrowserBaseData           every record of one class
//         __FCBrowserRegionBase         the cells of a region
//     FCIteratorHandler                 the callbacks of a walk
//     FCString, FCFontInfo              text with Enigma commands
//     FCMusicRegion, FCCell             a rectangle of the score, one measure on one staff
#pragma once

#include "finaleframework/collections/fcbrowser.h"
#include "finaleframework/collections/fccollection.h"
#include "finaleframework/collections/fcregion.h"
#include "finaleframework/core/fcbase.h"
#include "finaleframework/core/fcfamilies.h"
#include "finaleframework/core/fcstring.h"
#include "finaleframework/core/fctext.h"
#include "finaleframework/score/fcmeasure.h"

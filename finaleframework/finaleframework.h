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
//     FCIteratorHandler                 the callbacks of a walk
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/collections/fcregion.h"
#include "finaleframework/core/fcbase.h"
#include "finaleframework/core/fcfamilies.h"

// How hard planning bone combinations works: every combination that a face
// is tried against counts one, over all conversions. The tests keep it near
// linear in the faces, however many bones they have.
#pragma once
#include "platform/types.h"

inline u64 BoneCombinationsTried = 0;

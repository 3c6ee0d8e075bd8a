#include "finaleframework/score/fcmeasure.h"

FCMeasure::~FCMeasure() = default;

// mfreport: engineering report writer. Umbrella header of the programming interface.
#pragma once

#include "platform/Base64File.h"
#include "platform/mfDateTime.h"
#include "platform/mfStr.h"
#include "platform/mfTypes.h"

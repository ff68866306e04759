// mfreport: engineering report writer. Umbrella header of the programming interface.
#pragma once

#include "platform/Base64File.h"
#include "platform/mfDateTime.h"
#include "platform/mfStr.h"
#include "platform/mfTypes.h"

#include "model/mfReportClient.h"
#include "model/mfReportHeader.h"
#include "model/mfTableColumn.h"
#include "model/mfTableHeader.h"
#include "model/mfTableValue.h"

#include "device/mfDevice.h"
#include "device/mfTOCDevice.h"
#include "device/mfTable.h"

#include "html/mfHtmlDevice.h"
#include "html/mfTableHtml.h"

#include "xmlss/mfTableXmlSS.h"
#include "xmlss/mfXmlSSDevice.h"

#include "xmlwp/mfTableXmlWP.h"
#include "xmlwp/mfXmlWPDevice.h"

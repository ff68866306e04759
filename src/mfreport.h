// mfreport: engineering report writer. Umbrella header of the programming interface.
#pragma once

#include "mfreport/version.h"

#include "mfreport/platform/Base64File.h"
#include "mfreport/platform/maker.h"
#include "mfreport/platform/mfDateTime.h"
#include "mfreport/platform/mfStr.h"
#include "mfreport/platform/mfTypes.h"

#include "mfreport/model/mfReportClient.h"
#include "mfreport/model/mfReportHeader.h"
#include "mfreport/model/mfTableColumn.h"
#include "mfreport/model/mfTableHeader.h"
#include "mfreport/model/mfTableValue.h"

#include "mfreport/device/mfDevice.h"
#include "mfreport/device/mfTOCDevice.h"
#include "mfreport/device/mfTable.h"

#include "mfreport/html/mfHtmlDevice.h"
#include "mfreport/html/mfTableHtml.h"

#include "mfreport/xmlss/mfTableXmlSS.h"
#include "mfreport/xmlss/mfXmlSSDevice.h"

#include "mfreport/xlsx/mfTableXlsx.h"
#include "mfreport/xlsx/mfXlsxDevice.h"

#include "mfreport/xmlwp/mfTableXmlWP.h"
#include "mfreport/xmlwp/mfXmlWPDevice.h"

#include "mfreport/docx/mfDocxDevice.h"
#include "mfreport/docx/mfTableDocx.h"

#include "mfreport/text/mfTableText.h"
#include "mfreport/text/mfTextDevice.h"

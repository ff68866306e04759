// Writes an XHTML report to a temporary file with a fixed clock.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "golden.h"
#include "mfreport/mfreport.h"
#include "test_env.h"
#include "xml_check.h"

namespace mftest {

constexpr const char* fixedEpoch = "1796585527"; // 06-DEC-2026 19:32:07 UTC

inline const mfReportClient testClient("Prog", "Test program", "1.0", "01-DEC-2026");
inline const mfReportHeader testModel("Model", "Test model", "model.dat", "XY", "02-DEC-2026");

/// Runs `write` on a fresh HTML device and returns the finished file, the
/// login name replaced by "USER". Caller text goes into the page unescaped, so
/// a test that writes a lone "<" or "&" on purpose passes `checkXml` false.
inline std::string htmlReport(const std::function<void(mfHtmlDevice&)>& write,
                              const mfReportClient& client = testClient,
                              const mfReportHeader& model = testModel, bool checkXml = true) {
    FixedClock clock(fixedEpoch);
    TempFile file("report.html");
    {
        mfHtmlDevice device(client, file.path(), model);
        write(device);
    }
    if (checkXml) {
        EXPECT_WELL_FORMED_XHTML(file.path());
    }
    std::string text = readFile(file.path());
    const std::string user = "  - User  : " + mfUserName().text() + "</i></p>";
    const size_t at = text.find(user);
    if (at != std::string::npos) {
        text.replace(at, user.size(), "  - User  : USER</i></p>");
    }
    return text;
}

/// The lines between the title block and the closing tags.
inline std::string htmlContent(const std::function<void(mfHtmlDevice&)>& write,
                               bool checkXml = true) {
    const std::string text = htmlReport(write, testClient, testModel, checkXml);
    const auto lines = splitLines(text);
    std::string content;
    for (size_t i = 15; i + 2 < lines.size(); ++i) {
        content += lines[i] + "\n";
    }
    return content;
}

} // namespace mftest

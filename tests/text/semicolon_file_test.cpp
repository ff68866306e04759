// The semicolon-separated file as a spreadsheet program reads it: one line
// per record however wide, names over their values, and texts holding ";"
// or '"' quoted so that they stay one field.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "text_fixture.h"

namespace {

using mftest::column;

// Splits a line at ";" as a reader with '"' as its quote character does: a
// field whose first character is '"' (in the line's first field, the one after
// the carriage-control blank) runs to the closing quote, a doubled quote
// inside standing for one; blanks after it are padding. Blanks around an
// unquoted field are padding.
std::vector<std::string> csvFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    auto finish = [&] {
        if (!quoted) {
            const size_t first = field.find_first_not_of(' ');
            const size_t last = field.find_last_not_of(' ');
            field = first == std::string::npos ? "" : field.substr(first, last - first + 1);
        }
        fields.push_back(field);
        field.clear();
        quoted = false;
    };
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool opens = fields.empty() ? field == " " : field.empty();
        if (c == ';') {
            finish();
        } else if (c == '"' && !quoted && opens) {
            quoted = true;
            field.clear();
            for (++i; i < line.size(); ++i) {
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (line[i] == '"') {
                    break;
                } else {
                    field += line[i];
                }
            }
            while (i + 1 < line.size() && line[i + 1] == ' ') {
                ++i;
            }
        } else if (!quoted) {
            field += c;
        } else {
            ADD_FAILURE() << "text after a closing quote: " << line;
        }
    }
    finish();
    return fields;
}

class SemicolonFile : public mftest::TextReport {
protected:
    // The lines of the report file from the table heading on (the line
    // before the rule line).
    static std::vector<std::string> fromHeading(const std::string& file) {
        const std::vector<std::string> lines = mftest::splitLines(mftest::readFile(file));
        for (size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].rfind(" -", 0) == 0) {
                return {lines.begin() + static_cast<std::ptrdiff_t>(i - 1), lines.end()};
            }
        }
        return {};
    }
};

TEST(CsvFields, QuotesDelimitersAndPadding) {
    EXPECT_EQ(csvFields("  1;\"a;\"\"b\"\" \" ;x"),
              (std::vector<std::string>{"1", "a;\"b\" ", "x"}));
    EXPECT_EQ(csvFields(" \"a;b\"; \"c;d\""),
              (std::vector<std::string>{"a;b", "\"c", "d\""})); // a quote after a blank is text
}

TEST_F(SemicolonFile, AWideRecordIsOneLineWithEveryValueUnderItsName) {
    auto dev = device(mfDevice::TEXT_CSV);
    auto t = table(*dev, "WIDE", "Thirty-six columns");
    std::vector<std::string> names;
    const std::string longText = "Long description" + std::string(150, '.') + " end";
    for (int k = 0; k < 36; ++k) {
        names.push_back(k == 2 ? "x;\"y\"" : "C" + std::to_string(k + 1));
        const std::string description = k == 0 ? "Count; of items" : k == 1 ? longText : "";
        if (k % 3 == 0) {
            t->addColumn(column(names.back(), description, mfTableColumn::INTEGER, 8));
        } else if (k % 3 == 1) {
            t->addColumn(column(names.back(), description, mfTableColumn::REAL, 12, 3));
        } else {
            t->addColumn(column(names.back(), description, mfTableColumn::STRING, 20));
        }
    }
    ASSERT_TRUE(t->begin_table());
    std::vector<std::vector<std::string>> expected;
    for (int r = 1; r <= 3; ++r) {
        expected.emplace_back();
        for (int k = 0; k < 36; ++k) {
            if (k % 3 == 0) {
                EXPECT_TRUE(t->insertValue(k, 100 * r + k));
                expected.back().push_back(std::to_string(100 * r + k));
            } else if (k % 3 == 1) {
                char text[32];
                std::snprintf(text, sizeof text, "%.3f", -1.5 * r * k);
                EXPECT_TRUE(t->insertValue(k, -1.5 * r * k));
                expected.back().push_back(text);
            } else {
                const std::string value = k == 2 ? "pier \"A\"; west"
                                          : k == 5
                                              ? ";" + std::to_string(r)
                                              : "s" + std::to_string(r) + "-" + std::to_string(k);
                EXPECT_TRUE(t->insertValue(k, value));
                expected.back().push_back(value);
            }
        }
        EXPECT_TRUE(t->end_record());
    }
    EXPECT_TRUE(t->end_table());
    dev.reset();

    const std::string file = mftest::readFile("report.csv");
    EXPECT_NE(file.find("\n \"C1 : Count; of items\"\n"), std::string::npos);
    EXPECT_NE(file.find("\n C2 : " + longText + "\n"), std::string::npos);
    const std::vector<std::string> lines = fromHeading("report.csv");
    ASSERT_EQ(lines.size(), 5U); // names, rule, three records
    EXPECT_EQ(csvFields(lines[0]), names);
    EXPECT_EQ(csvFields(lines[1]).size(), 36U);
    for (size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(csvFields(lines[r + 2]), expected[r]) << lines[r + 2];
    }
}

TEST_F(SemicolonFile, QuotedTextsKeepToTheirFieldsAndThePrintFileIsUnquoted) {
    for (const auto kind : {mfDevice::TEXT_CSV, mfDevice::TEXT}) {
        auto dev = device(kind);
        auto t = table(*dev, "CUT");
        t->addColumn(column("A", "", mfTableColumn::STRING, 6));
        t->addColumn(column("B", "", mfTableColumn::STRING, 2));
        t->addColumn(column("C", "", mfTableColumn::STRING, 8));
        t->addColumn(column("D", "", mfTableColumn::STRING, 4));
        ASSERT_TRUE(t->begin_table());
        t->insertValue(0, std::string("a\"b;cdef"));
        t->insertValue(1, std::string(";"));
        t->insertValue(2, std::string("plain"));
        t->insertValue(3, std::string("ab;")); // the opening quote in the blank before
        EXPECT_TRUE(t->end_record());
        dev.reset();
        const std::string name = kind == mfDevice::TEXT ? "report.LIS" : "report.csv";
        const std::vector<std::string> lines = fromHeading(name);
        ASSERT_EQ(lines.size(), 3U) << kind;
        if (kind == mfDevice::TEXT_CSV) {
            EXPECT_EQ(lines[2], " \"a\"\"b\";\";\"; plain   ;\"ab;\"");
            EXPECT_EQ(csvFields(lines[2]), (std::vector<std::string>{"a\"b", ";", "plain", "ab;"}));
        } else {
            EXPECT_EQ(lines[2], " a\"b;cd  ;   plain     ab;");
        }
    }
}

} // namespace

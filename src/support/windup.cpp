#include "mfreport/support/windup.h"

#include <cstdlib>
#include <string_view>

#include "mfreport/record/record_io.h"

namespace mfreport::support {

namespace {

struct StandardUnits {
    int32_t input = record::kStandardInput;
    int32_t output = record::kStandardOutput;
};

StandardUnits& standardUnits() {
    static StandardUnits units;
    return units;
}

void writeLine(std::string_view text) {
    int32_t input = 0;
    int32_t output = 0;
    STDUNI(2, input, output);
    record::writeRecord(output, {record::item::A(text)});
}

} // namespace

void STDUNI(int32_t operation, int32_t& input_unit, int32_t& output_unit) {
    StandardUnits& units = standardUnits();
    if (operation == 1) {
        units.input = input_unit;
        units.output = output_unit;
    } else if (operation == 2) {
        input_unit = units.input;
        output_unit = units.output;
    }
}

void WINDUP() {
    writeLine(" ***** WINDUP DUMMY ROUTINE CALLED");
}

void WALK() {
    writeLine("        ");
    writeLine("        ");
    writeLine(" %PROGRAM WALKBACK BY AUXLIB:WALK:");
    writeLine(" _________________________________");
    writeLine("        ");
    writeLine(" %NOT IMPLEMENTED");
}

void STOPRC(int32_t status) {
    record::stopRun(status);
    std::exit(status); // not reached: the stop operation does not return
}

} // namespace mfreport::support

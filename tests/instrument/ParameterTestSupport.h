#pragma once
// Shared pieces of the parameter dialog's rule tests: the language scope, and every row of the
// three grids as one list.
#include <ostream>
#include <string>
#include <vector>

#include "instrument/ParameterRows.h"
#include "instrument/clsInstrument.h"
#include "text/Catalogue.h"

namespace tz::testing {

// Sets the active language for one test and puts the previous one back afterwards.
class LanguageScope {
public:
    explicit LanguageScope(Language language) : previous_(ActiveLanguage()) {
        SetLanguage(language);
    }
    ~LanguageScope() { SetLanguage(previous_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    Language previous_;
};

inline constexpr auto P = ParamGrid::Parameter;
inline constexpr auto F = ParamGrid::Factory;
inline constexpr auto M = ParamGrid::Maintenance;

// Table rows of the tests: a text for a row, and whether the row accepts a text.
struct RowText {
    ParamGrid grid;
    Integer row;
    const char* text;
};
struct RowTextVerdict {
    ParamGrid grid;
    Integer row;
    const char* text;
    bool accepted;
};

// The program's record as a read may leave it: values the lists do not offer, texts with
// leading zeros, single-precision levels, a PID text with commas, a name with leading spaces;
// every free-text value still within its row's limits. No change flag is set.
inline clsInstrument RecordAsRead() {
    clsInstrument r;
    r.BumpTime(2);      // no entry of 30|45|60|90
    r.CSAdata(2);       // no entry of Off|On
    r.CalCheckALL(-1);  // the "never written" marker
    r.LangType(12);
    r.SpecType("7");
    r.Inert1st(19.5f);
    r.Inert2nd(20.9f);
    r.MaintePassword("0123");
    r.UserPassword2("0007");
    r.SensorDate(3, "000101");
    r.SpecNo("TZ-01");
    r.PIDdata("ISOBUTYLENE,1.000,10.6");
    r.ManDown1(10);
    r.ManDown2(20);
    r.ManDown3(30);
    r.ConfirmationTime(5);
    r.StationList(3, "  GATE 3");
    r.ClearChangeFlags();
    return r;
}

inline std::vector<const ParameterRow*> AllParameterRows() {
    std::vector<const ParameterRow*> rows;
    for (const ParamGrid grid : ParamGrids)
        for (const ParameterRow& row : ParameterRows(grid)) rows.push_back(&row);
    return rows;
}

// "grid 1 row 7 (SensorDate(0))", for failure messages.
inline std::string Describe(const ParameterRow& row) {
    return "grid " + std::to_string(static_cast<int>(row.Grid)) + " row " +
           std::to_string(row.Row) + " (" + row.Property.Name + ")";
}

}  // namespace tz::testing

namespace tz {
// Lets GoogleTest print a row in failure messages.
inline void PrintTo(const RowRef& ref, std::ostream* out) {
    *out << "grid " << static_cast<int>(ref.Grid) << " row " << ref.Row;
}
}  // namespace tz

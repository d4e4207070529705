#pragma once
// Shared pieces of the parameter dialog's rule tests: the language scope, and every row of the
// three grids as one list.
#include <ostream>
#include <string>
#include <vector>

#include "instrument/ParameterRows.h"
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

#include "link/LinkMessages.h"

#include "text/Catalogue.h"

namespace tz {

std::string LinkText(int number, const std::string& argument) {
    return argument.empty() ? LoadMessage(number) : LoadMessage(number, {argument});
}

}  // namespace tz

#include "core/open_filter.h"

std::string BuildOpenFilter(const std::vector<std::string>& texts)
{
    std::string filter;
    for (const std::string& text : texts) {
        if (text.empty())
            continue;
        const char separator = text.back();
        std::vector<std::string> pieces;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
            pieces.push_back(text.substr(start, end - start));
        for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
            if (pieces[i].empty() || pieces[i + 1].empty())
                continue;
            filter += pieces[i];
            filter += '\0';
            filter += pieces[i + 1];
            filter += '\0';
        }
    }
    filter += '\0';
    if (filter.size() == 1)
        filter += '\0'; // an empty filter still ends in two NULs
    return filter;
}

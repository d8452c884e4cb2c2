#pragma once
// Names parameterised rows after their `name` field, so a failure names the row.
#include <cctype>
#include <string>

struct RowName {
    template <class Info>
    std::string operator()(const Info &info) const
    {
        std::string n = info.param.name;
        for (char &ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    }
};

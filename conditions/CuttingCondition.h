#pragma once

#include <string>

// One media list: the blade and the four plotter levels to use for one kind of medium. The
// levels go to the plotter unchanged. Copied by value everywhere.
struct CuttingCondition {
    std::string m_strName;  // the file's base name
    std::string m_strBlade; // blade display name in the UI language
    int m_nForce = 0;
    int m_nSpeed = 0;
    int m_nQuality = 0;
    int m_nOffset = 0; // always 0 for a tool series

    bool operator==(const CuttingCondition&) const = default;
};

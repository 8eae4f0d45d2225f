#pragma once

#include <QString>

#include <map>
#include <optional>

// The texts a window put into its edits, each with the exact value it stands for. A value from
// the plotter or the stored settings is shown rounded to the edit's unit and decimals; while
// the edit still holds the text it was given, it stands for that value, not for what the
// rounded text reads as. Doubles hold every 32-bit micrometre value exactly.
class CShownValues {
public:
    void Remember(int id, const QString& text, double value) { m_shown[id] = {text, value}; }

    // `typed` unless the edit still holds the text it was given: then the value it stands for.
    template <typename T> T Kept(int id, const QString& text, T typed) const {
        const std::optional<double> shown = Unchanged(id, text);
        return shown ? static_cast<T>(*shown) : typed;
    }

private:
    // The value edit `id` was given, while `text` is still the text it was given with.
    std::optional<double> Unchanged(int id, const QString& text) const {
        const auto shown = m_shown.find(id);
        if (shown == m_shown.end() || shown->second.text != text) {
            return std::nullopt;
        }
        return shown->second.value;
    }

    struct Shown {
        QString text;
        double value;
    };
    std::map<int, Shown> m_shown;
};

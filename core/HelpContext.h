#pragma once

// Help topics of the windows and the context numbers their help pages answer to.
namespace helpcontext {

constexpr int kBase = 98304;
constexpr int kTopicMainWindow = 0;
constexpr int kTopicConditionList = 1;
constexpr int kTopicConditionEdit = 2;
constexpr int kTopicMarkSettings = 3;
constexpr int kTopicPlotterSettings = 4;
constexpr int kTopicBladeInformation = 5; // one page per plotter family

// The context for a topic; the blade information of `family` follows the five window topics.
// Topics outside 0..5 open the main window's page, and so does blade information while no
// family is known.
int ForTopic(int topic, int family);

} // namespace helpcontext

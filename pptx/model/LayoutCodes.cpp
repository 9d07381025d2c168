#include "pptx/model/LayoutCodes.hpp"

#include <string_view>
#include <utility>

namespace velmora::pptx::model {

namespace {

constexpr int kCustom = 32;

// "Title and Content" (obj) reads as the text layout, as the presentation program reports it.
constexpr std::pair<std::string_view, int> kCodes[] = {
    {"title", 1},         {"tx", 2},           {"obj", 2},
    {"twoColTx", 3},      {"tbl", 4},          {"txAndChart", 5},
    {"chartAndTx", 6},    {"dgm", 7},          {"chart", 8},
    {"txAndClipArt", 9},  {"clipArtAndTx", 10}, {"titleOnly", 11},
    {"blank", 12},        {"txAndObj", 13},    {"objAndTx", 14},
    {"objOnly", 15},      {"obj", 16},         {"txAndMedia", 17},
    {"mediaAndTx", 18},   {"objOverTx", 19},   {"txOverObj", 20},
    {"txAndTwoObj", 21},  {"twoObjAndTx", 22}, {"twoObjOverTx", 23},
    {"fourObj", 24},      {"vertTx", 25},      {"clipArtAndVertTx", 26},
    {"vertTitleAndTx", 27}, {"vertTitleAndTxOverChart", 28}, {"twoObj", 29},
    {"objAndTwoObj", 30}, {"twoObjAndObj", 31}, {"cust", kCustom},
    {"secHead", 33},      {"twoTxTwoObj", 34}, {"objTx", 35},
    {"picTx", 36}};

}  // namespace

int LayoutCode(const std::string& type)
{
    for (const auto& [name, code] : kCodes) {
        if (name == type) {
            return code;
        }
    }
    return kCustom;
}

std::vector<std::string> LayoutTypes(int code)
{
    std::vector<std::string> types;
    for (const auto& [name, value] : kCodes) {
        if (value == code) {
            types.emplace_back(name);
        }
    }
    return types;
}

}  // namespace velmora::pptx::model

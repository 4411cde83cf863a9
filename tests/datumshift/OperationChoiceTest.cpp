#include "datumshift/OperationChoice.hpp"

#include <gtest/gtest.h>
#include <random>

namespace korvane {
namespace {

constexpr double kUnknown = -1;

struct ChoiceCase {
    const char* what;
    std::vector<OperationBox> boxes; // west, south, east, north, accuracy, offshore
    GeodeticPosition position;
    std::vector<std::size_t> excluded;
    std::optional<std::size_t> chosen;
};

TEST(OperationChoice, PicksAsProj91Does) {
    // clang-format off
    const ChoiceCase cases[] = {
        {"no box holds it", {{0, 0, 10, 10, 1, false}}, {20, 5}, {}, std::nullopt},
        {"edges hold", {{0, 0, 10, 10, 1, false}}, {10, 0}, {}, 0},
        {"the first holding", {{20, 20, 30, 30, 1, false}, {0, 0, 10, 10, 5, false}, {0, 0, 10, 10, 5, false}}, {5, 5}, {}, 1},
        {"a later more accurate", {{0, 0, 10, 10, 5, false}, {0, 0, 10, 10, 2, false}}, {5, 5}, {}, 1},
        {"not a later less accurate", {{0, 0, 10, 10, 2, false}, {0, 0, 10, 10, 5, false}}, {5, 5}, {}, 0},
        {"not a later offshore", {{0, 0, 10, 10, 5, false}, {0, 0, 10, 10, 1, true}}, {5, 5}, {}, 0},
        {"an offshore first", {{0, 0, 10, 10, 1, true}, {0, 0, 10, 10, 5, false}}, {5, 5}, {}, 0},
        {"not a later of unknown accuracy", {{0, 0, 10, 10, 5, false}, {0, 0, 10, 10, kUnknown, false}}, {5, 5}, {}, 0},
        {"a first of unknown accuracy stays", {{-1e9, -1e9, 1e9, 1e9, kUnknown, false}, {0, 0, 10, 10, 1, false}}, {5, 5}, {}, 0},
        {"as accurate and strictly inside", {{0, 0, 10, 10, 2, false}, {1, 1, 9, 9, 2, false}}, {5, 5}, {}, 1},
        {"as accurate, sharing an edge", {{0, 0, 10, 10, 2, false}, {0, 1, 9, 9, 2, false}}, {5, 5}, {}, 0},
        {"excluded passed over", {{0, 0, 10, 10, 1, false}, {0, 0, 10, 10, 5, false}}, {5, 5}, {0}, 1},
        {"all excluded", {{0, 0, 10, 10, 1, false}, {0, 0, 10, 10, 5, false}}, {5, 5}, {0, 1}, std::nullopt},
    };
    // clang-format on
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        // Positions are latitude, longitude; the boxes' x is the longitude.
        EXPECT_EQ(ChosenOperation(c.boxes, c.position, c.excluded), c.chosen);
        EXPECT_EQ(OperationChooser(c.boxes).Choose(c.position, c.excluded), c.chosen);
    }
}

// The looked-up choice against the searched one, on random boxes with edges on a coarse grid so
// that many positions fall on edges, and at random positions, on edges and beyond the boxes.
TEST(OperationChoice, TheChooserLooksUpWhatChosenOperationFinds) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> edge(-18, 18), accuracy(-1, 4), coin(0, 1);
    std::uniform_real_distribution<double> anywhere(-200, 200);
    for (int set = 0; set < 50; ++set) {
        std::vector<OperationBox> boxes;
        for (int i = 0; i < 30; ++i) {
            const int a = edge(random), b = edge(random), c = edge(random), d = edge(random);
            boxes.push_back({10.0 * std::min(a, b), 5.0 * std::min(c, d), 10.0 * std::max(a, b),
                             5.0 * std::max(c, d), accuracy(random) * 1.5, coin(random) == 1});
        }
        if (coin(random) == 1) {
            boxes.push_back({-1.7e308, -1.7e308, 1.7e308, 1.7e308, kUnknown, false});
        }
        const OperationChooser chooser(boxes);
        for (int i = 0; i < 2000; ++i) {
            const bool onEdges = i % 2 == 0;
            const GeodeticPosition position{onEdges ? 5.0 * edge(random) : anywhere(random),
                                            onEdges ? 10.0 * edge(random) : anywhere(random)};
            ASSERT_EQ(chooser.Choose(position, {}), ChosenOperation(boxes, position, {}))
                << position.latitude << ", " << position.longitude;
        }
    }
}

} // namespace
} // namespace korvane

#include <gtest/gtest.h>

#include "containers/multi_element.h"
#include "test_elements.h"

using namespace qo;
using qotest::Log;
using qotest::Tracker;

namespace {

struct Child : TScheme {
    explicit Child(Control*) {
        addWindow<Tracker>("child window");
        addEdge<TQOEditMulti>();
        add<Tracker>("child element");
    }
};

struct Parent : TScheme {
    Parent() {
        addWindow<Tracker>("window");
        addEdge<Tracker>("edge");
        add<Tracker>("a");
        auto& nested = add<TQOMultiElement>();
        add<Tracker>("b");
        nested.SetCreateOnFirstUse(false);
        nested.SetFactory(&MakeScheme<Child>);
    }
};

TEST(Scheme, EdgeFirstThenCreationOrderWindowLastChildrenBeforeTheirWindows) {
    Log().clear();
    { Parent scheme; }
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"~edge", "~a", "~child element", "~child window", "~b", "~window"}));
}

TEST(Scheme, FactoryStoresTheSchemeInItsEdge) {
    TQOEditMulti* edge = MakeScheme<Child>(nullptr);
    ASSERT_NE(edge, nullptr);
    ASSERT_NE(edge->schemeObject, nullptr);
    EXPECT_EQ(edge->schemeObject->edgeAs<TQOEditMulti>(), edge);
    delete edge->schemeObject;
}

} // namespace

#include "parser/object_services.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vortila {
namespace {

class InventoryTest : public ::testing::Test {
 protected:
  InventoryTest() {
    world.StoryClock = 6;
    Put(1, "stesso", "buio", "te stesso", "");
  }

  void Put(int slot, std::string id, std::string location, std::string title, std::string flags) {
    world.objects.ObjectId[slot] = std::move(id);
    world.objects.ObjectLocation[slot] = std::move(location);
    world.objects.ObjectTitle[slot] = std::move(title);
    world.objects.ObjectFlags[slot] = std::move(flags);
  }

  World world;
  testing::RecordingWindow window;
};

TEST_F(InventoryTest, ListsCarriedObjectsInSlotOrderAndMarksWhatIsWorn) {
  Put(2, "casco", "stesso", "il casco", "%W");
  Put(3, "torcia", "stesso", "la torcia", "%f%a");
  Put(4, "gancio", "buio", "il gancio", "");
  UpdateInventory(world, window);
  EXPECT_EQ(window.inventory, "> il casco*\r> la torcia\r");
}

TEST_F(InventoryTest, AnOpenContainerShowsOnePlusForEachLooseThingInside) {
  Put(2, "cassetta", "stesso", "la cassetta", "%c%O");
  Put(3, "cacciavite", "cassetta", "il cacciavite", "");
  Put(4, "vite", "cassetta", "la vite", "%s");
  Put(5, "chiave", "cassetta", "la chiave", "");
  UpdateInventory(world, window);
  EXPECT_EQ(window.inventory, "> la cassetta++\r");

  for (std::string_view closed : {"%c%o", "%c%k", "%O"}) {
    world.objects.ObjectFlags[2] = closed;
    UpdateInventory(world, window);
    EXPECT_EQ(window.inventory, "> la cassetta\r") << closed;
  }
}

TEST_F(InventoryTest, TheIntroductionKeepsWhatTheLabelShowed) {
  window.inventory = "prima";
  world.StoryClock = 5;
  Put(2, "casco", "stesso", "il casco", "%W");
  UpdateInventory(world, window);
  EXPECT_EQ(window.inventory, "prima");
}

}  // namespace
}  // namespace vortila

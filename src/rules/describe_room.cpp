#include "rules/describe_room.h"

#include <string>

#include "parser/object_services.h"
#include "text/utf8.h"

namespace vortila {

void DescribeRoom(const World& world, Screen& screen, ParserState& parser) {
  const ObjectTable& objects = world.objects;
  const int room = world.CurrentRoom;
  PrintText(screen, ToUpperItalian(objects.ObjectTitle[room]) + "^");
  // Past the foot of a full page the heading waits for the next one, set apart by a blank line.
  if (screen.LinesShown > 23) PrintText(screen, "^");
  PrintText(screen, objects.ObjectDescription[room]);
  ListContents(parser, objects, screen, "Sul pavimento vedi ", objects.ObjectLocation[1]);
  UpdateInventory(world, screen);
  ShowObjectPicture(world, screen, room);
}

}  // namespace vortila

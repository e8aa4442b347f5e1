"""Prints what one command costs by function: the inclusive instructions of each function in
a callgrind profile of a whole game, less those of a profile of its introduction, divided by
the commands played in between; the dearest first.

Usage: command_profile.py INTRODUCTION.out GAME.out COMMANDS [N]
"""
import collections
import os
import re
import subprocess
import sys

# callgrind_annotate prints "  1,234 (12.3%)  file:function [object]".
LINE = re.compile(r"\s*([\d,]+) \([^)]*\)\s+(\S.*?)(?: \[[^]]*\])?$")
SHORTER_NAMES = {
    "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >": "string",
    "std::basic_string_view<char, std::char_traits<char> >": "string_view",
}


def inclusive_costs(profile, root):
    """The inclusive instructions of each function of a callgrind profile, by name.

    callgrind may list a function twice, under its source file's absolute and relative
    names, as different parts of the build saw it; the larger cost is the whole of it.
    """
    text = subprocess.run(
        ["callgrind_annotate", "--inclusive=yes", "--threshold=100", "--auto=no", profile],
        capture_output=True, text=True, check=True).stdout
    costs = collections.Counter()
    for line in text.splitlines():
        match = LINE.match(line)
        if not match or "PROGRAM TOTALS" in line:
            continue
        name = match.group(2).removeprefix(root)
        for long_name, short_name in SHORTER_NAMES.items():
            name = name.replace(long_name, short_name)
        name = name[:150]
        costs[name] = max(costs[name], int(match.group(1).replace(",", "")))
    return costs


def main():
    introduction, game, commands = sys.argv[1], sys.argv[2], int(sys.argv[3])
    shown = int(sys.argv[4]) if len(sys.argv) > 4 else 40
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__))) + "/"
    before = inclusive_costs(introduction, root)
    per_command = {name: (cost - before[name]) / commands
                   for name, cost in inclusive_costs(game, root).items()}
    for name, cost in sorted(per_command.items(), key=lambda item: -item[1])[:shown]:
        print(f"{cost:9.0f}  {name}")


if __name__ == "__main__":
    main()

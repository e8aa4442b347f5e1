#!/usr/bin/env bash
# Spell-checks the Italian that the game prints and the verbs that players type, against
# hunspell's Italian dictionary: every string literal of the story passages, of the
# introduction and of rewind's replies, the titles, descriptions and room sentences
# ("%i[...]") of the object file, the pictures' descriptions, and the verb words of the
# verb file. Words that the dictionary lacks but the game means
# are listed, with the reason, in tests/spelling/parole-accettate.txt; any other unknown
# word fails the test, named with the place it comes from, and so does a word left in that
# list that no text needs any more. Before the real texts, a copy with a misspelling planted
# in each kind of text must fail, so that a text the reader stopped reaching cannot pass
# unseen.
# Usage: spelling_test.sh SOURCE_FOLDER (the folder that holds src/, data/ and tests/)
set -euo pipefail
root=${1:?usage: spelling_test.sh SOURCE_FOLDER}
export LC_ALL=C.UTF-8

command -v hunspell >/dev/null || { echo "hunspell is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Checks the texts of the source folder $1; prints the unknown words and fails if any.
check() {
perl - "$1" "$work/forms.txt" <<'PERL'
use strict;
use warnings;
use utf8;
binmode STDOUT, ':utf8';
binmode STDERR, ':utf8';

my ($root, $forms_file) = @ARGV;
my @texts;  # [where, text]

sub slurp {
  my ($path) = @_;
  open my $in, '<:utf8', "$root/$path" or die "cannot read $root/$path: $!\n";
  local $/;
  my $text = <$in>;
  return $text;
}

# The string literals of a C++ file, each with its line; comments, character literals and
# preprocessor lines (the #include names) are not text that the game prints.
sub cpp_literals {
  my ($path) = @_;
  my $src = slurp($path);
  my ($line, $i, $n) = (1, 0, length $src);
  my $at_line_start = 1;
  while ($i < $n) {
    my $c = substr($src, $i, 1);
    if ($c eq "\n") { $line++; $i++; $at_line_start = 1; next; }
    if ($at_line_start && $c eq '#') { $i++ while $i < $n && substr($src, $i, 1) ne "\n"; next; }
    $at_line_start = 0 unless $c =~ /\s/;
    if (substr($src, $i, 2) eq '//') { $i++ while $i < $n && substr($src, $i, 1) ne "\n"; next; }
    if (substr($src, $i, 2) eq '/*') {
      my $end = index($src, '*/', $i + 2);
      $end = $n - 2 if $end < 0;
      $line += () = substr($src, $i, $end - $i) =~ /\n/g;
      $i = $end + 2;
      next;
    }
    if ($c eq "'" || $c eq '"') {
      my $start = ++$i;
      while ($i < $n && substr($src, $i, 1) ne $c) { $i += substr($src, $i, 1) eq '\\' ? 2 : 1; }
      push @texts, ["$path:$line", substr($src, $start, $i - $start)] if $c eq '"';
      $i++;
      next;
    }
    $i++;
  }
}

# The items of a data file, read as the game reads them: separated by commas and line
# ends, blanks in front skipped, a quoted item taken whole up to its closing quote.
sub items {
  my ($path) = @_;
  my $text = slurp($path);
  my @items;
  while (length $text) {
    $text =~ s/^[ \t]+//;
    if ($text =~ s/^"([^"\r\n]*)"[^,\r\n]*(?:,|\r?\n|$)//) {
      push @items, $1;
    } elsif ($text =~ s/^([^,\r\n]*)(?:,|\r?\n|$)//) {
      push @items, $1;
    }
  }
  return @items;
}

cpp_literals('src/rules/narration.cpp');
cpp_literals('src/app/introduction.cpp');
cpp_literals('src/app/rewind.cpp');

# The pictures' descriptions: a file name, then the description, on each line.
for my $line (split /\r?\n/, slurp('art/descrizioni.txt')) {
  push @texts, ["art/descrizioni.txt $1", $2] if $line =~ /^(\S+)\s+(.+)$/ && $line !~ /^#/;
}

my @objects = items('data/000.pkd');
while (@objects) {
  my $id = shift @objects;
  next if $id eq '' || $id =~ /^'/;  # comments and empty lines in front of a record
  last if @objects < 5;
  my (undef, $title, undef, $flags, $description) = splice @objects, 0, 5;
  push @texts, ["data/000.pkd $id (title)", $title];
  push @texts, ["data/000.pkd $id (sentence)", $1] while $flags =~ /[%\$]i\[([^\]]*)\]/g;
  push @texts, ["data/000.pkd $id (description)", $description];
}

my @verbs = items('data/010.pkd');
while (@verbs >= 3) {
  my ($code, $words) = splice @verbs, 0, 3;
  push @texts, ["data/010.pkd verb $code", $words];
}

# Words are runs of letters, an apostrophe binding an elided article or preposition to its
# word ("dell'accumulatore", "c'è") or ending a truncated one ("po'"). The dictionary splits
# them there and knows no elided pieces, so each piece is checked by itself, and an elided
# one ("dell'", "c'", "dev'") stands when it is a known word with its vowel given back.
my %found;    # word as reported -> list of places
my %checks;   # word as reported -> list of dictionary forms, any of which will do
for my $entry (@texts) {
  my ($where, $text) = @$entry;
  $text =~ s/\^/ /g;
  $text =~ tr/\x{2019}/'/;
  for my $token ($text =~ /\p{L}+(?:'\p{L}*)*/g) {
    my @pieces = split /'/, $token, -1;
    for my $k (0 .. $#pieces) {
      my $piece = $pieces[$k];
      next if $piece eq '';
      my $elided = $k < $#pieces && $pieces[$k + 1] ne '';
      my $word = $elided ? "$piece'" : $piece;
      $checks{$word} = $elided ? [map { "$piece$_" } qw(a e i o)] : [$piece];
      push @{$found{$word}}, $where;
    }
  }
}

my %forms = map { $_ => 1 } map { @$_ } values %checks;
open my $list, '>:utf8', $forms_file or die "cannot write $forms_file: $!\n";
print $list "$_\n" for sort keys %forms;
close $list;
open my $out, '-|:utf8', 'hunspell', '-d', 'it_IT', '-i', 'UTF-8', '-l', $forms_file
  or die "cannot run hunspell: $!\n";
my %unknown = map { chomp; ($_ => 1) } <$out>;
close $out or die "hunspell failed: is its it_IT dictionary installed?\n";

my %accepted;
open my $acc, '<:utf8', "$root/tests/spelling/parole-accettate.txt" or die "no accepted list: $!\n";
while (<$acc>) {
  chomp;
  next if /^\s*(#|$)/;
  $accepted{lc $_} = 1;
}

sub known {
  my ($word) = @_;
  return 1 if $accepted{lc $word};
  for my $form (@{$checks{$word}}) { return 1 unless $unknown{$form}; }
  return 0;
}
my @bad = grep { !known($_) } sort keys %checks;
if (@bad) {
  print STDERR scalar(@bad) . " word(s) unknown to the dictionary and not accepted:\n";
  for my $word (@bad) {
    my %seen;
    my @where = grep { !$seen{$_}++ } @{$found{$word}};
    print STDERR "  $word: " . join(', ', @where) . "\n";
  }
}
# The list stays short only if a word leaves it when the text that needed it changes.
my %needed = map { (lc $_ => 1) } grep { !grep { !$unknown{$_} } @{$checks{$_}} } keys %checks;
my @stale = grep { !$needed{$_} } sort keys %accepted;
print STDERR "accepted but no longer needed, to be taken out of the list: @stale\n" if @stale;
exit 1 if @bad || @stale;
my $count = 0;
$count += @$_ for values %found;
print scalar(keys %found) . " different words checked ($count in all) in " . scalar(@texts)
  . " texts: none unknown.\n";
PERL
}

planted="$work/planted"
for file in src/rules/narration.cpp src/app/introduction.cpp src/app/rewind.cpp data/000.pkd \
    data/010.pkd art/descrizioni.txt tests/spelling/parole-accettate.txt; do
  mkdir -p "$(dirname "$planted/$file")"
  cp "$root/$file" "$planted/$file"
done
cat >>"$planted/src/rules/narration.cpp" <<'CPP'
#include "sbagliatoo.h"
// Un commentoo non è testo del gioco.
const std::string_view kPlanted = "^Senti l'aria dell'ossigenno.";
CPP
echo 'const char* kPlanted = "Non sai perchè.";' >>"$planted/src/app/introduction.cpp"
echo 'prova,n,"la provva","prova","%i[Sentenzza.]","Una descrizzione."' >>"$planted/data/000.pkd"
echo '100,assaggiia,%o' >>"$planted/data/010.pkd"
echo '099.pkd Una stanzza vuota.' >>"$planted/art/descrizioni.txt"
if report=$(check "$planted" 2>&1); then
  echo "the misspellings planted in a copy of the texts passed unseen" >&2
  exit 1
fi
for word in ossigenno perchè provva Sentenzza descrizzione assaggiia stanzza; do
  grep -q "^  $word: " <<<"$report" || {
    echo "the misspelling '$word' planted in a copy of the texts was not reported:" >&2
    echo "$report" >&2
    exit 1
  }
done
if grep -q -e commentoo -e sbagliatoo <<<"$report"; then
  echo "a comment or an #include line was checked as text of the game:" >&2
  echo "$report" >&2
  exit 1
fi

check "$root"

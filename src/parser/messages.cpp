#include "parser/messages.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace vortila {

namespace {

struct VerbQuestion {
  std::initializer_list<int> codes;
  std::string_view question;
};

const VerbQuestion kVerbQuestions[] = {
    {{6, 7, 12}, "Cosa dovrei girare?"},
    {{23, 30}, "Cosa dovrei prendere?"},
    {{28}, "Che vuoi lanciare?"},
    {{26}, "Che vuoi toglierti?"},
    {{25}, "Che cosa vorresti mettere?"},
    {{24, 31}, "Cosa vorresti posare?"},
    {{43}, "Cosa vuoi rovesciare?"},
    {{33}, "Cosa vuoi aprire?"},
    {{27}, "Cosa vuoi accendere?"},
    {{29}, "Cosa vuoi spegnere?"},
    {{34}, "Cosa vuoi chiudere?"},
    {{36}, "Cosa vuoi mangiare?"},
    {{37}, "Cosa vuoi bere?"},
    {{48}, "Cosa vuoi alzare?"},
    {{60}, "Chi vuoi chiamare?"},
    {{11, 13, 22, 54}, "Cosa vuoi toccare?"},
    {{9}, "Su cosa vuoi esercitare violenza?"},
};

std::string_view QuestionFor(int verbCode) {
  for (const VerbQuestion& entry : kVerbQuestions) {
    if (std::find(entry.codes.begin(), entry.codes.end(), verbCode) != entry.codes.end()) {
      return entry.question;
    }
  }
  return "Dovresti concludere la frase!";
}

}  // namespace

void ParserMessage(ParserState& parser, Screen& screen, ParserFailure failure) {
  switch (failure) {
    case kOneObjectAtATime:
      PrintText(screen, "Dovresti parlarmi di un oggetto alla volta!");
      break;
    case kStartWithAVerb:
      PrintText(screen, "Dovresti iniziare ogni frase con un verbo, per cortesia.");
      break;
    case kNotClear:
      PrintText(screen, "Non mi è molto chiaro. Prova a riformulare!");
      break;
    case kVerbAlone:
      PrintOpen(screen, "Ho capito solo '" + parser.TokenWords[1] + "'. ");
      parser.PreviousVerb = FirstCandidate(parser, 1);
      PrintText(screen, QuestionFor(parser.PreviousVerb));
      break;
    case kNotImportant:
      PrintText(screen, "Lascia perdere! Non ha davvero alcuna importanza.");
      break;
    case kNothingLikeThat:
      PrintText(screen, "Non vedo nulla del genere.");
      break;
  }
}

}  // namespace vortila

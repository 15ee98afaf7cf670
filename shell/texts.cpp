#include "shell/texts.h"

const char rulesText[] = "QUILLMERE, el juego tradicional que juegan\n"
                         "en Quillmere!\n"
                         "\n"
                         "En turno, Ordanel Software y tu remueven\n"
                         "palitos de una linea horizontal.\n"
                         "Puede ser cualquier n\xFA"
                         "mero, pero por lo menos\n"
                         "uno. Pueden ser todos los palitos de la linea.\n"
                         "Perdedor es el participante quien tiene que\n"
                         "remover el \xFA"
                         "ltimo palito.";

const char usageText[] = "Selecciona palitos haciendo click en ellos.\n"
                         "Puedes deseleccionar un palito haciendo click\n"
                         "otra vez en este, hasta que aprietes el but\xF3"
                         "n\n"
                         "'s\xED"
                         ", remueveme estos'.\n"
                         "Puedes poner la intelig\xE9"
                         "ncia de la programa\n"
                         "baja o m\xE1"
                         "s alta, haciendo click en la palanca\n"
                         "'IQ Ordanel'.";

const char computerWinsText[] = "ORDANEL SOFTWARE GANO!!!";
const char playerWinsText[] = "Bueno. Hm. Ganas. Esta vez.";

const MessageText messageTexts[nrMessageTexts] = {{playerWinsText, PlayerWinsStyle},
                                                  {computerWinsText, ComputerWinsStyle},
                                                  {rulesText, RulesStyle},
                                                  {usageText, UsageStyle}};

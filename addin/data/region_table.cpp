// RegionTable: every region as the path of its level names from the country down,
// joined by "|"; the row index is the region index that assignments refer to. Rows are
// in depth-first order (a region, then all of its descendants) so that a tree built in
// row order always finds a node's parent already there. The one exception is row 372,
// a variant of "Deutschland|Thüringen" added after all of Switzerland; its parent still
// stands earlier. Row 373 is the World Cup pseudo-country.

#include "addin/data/holiday_data.h"

#include <array>

namespace feriant::data {
namespace {

constexpr auto kRows = std::to_array<std::string_view>({
    "Deutschland",                                                  // 0
    "Deutschland|Baden-Würtemberg",                                 // 1
    "Deutschland|Bayern",                                           // 2
    "Deutschland|Bayern|Mittelfranken",                             // 3
    "Deutschland|Bayern|Mittelfranken|Mittelfranken (katholisch)",  // 4
    "Deutschland|Bayern|Niederbayern",                              // 5
    "Deutschland|Bayern|Oberbayern",                                // 6
    "Deutschland|Bayern|Oberfranken",                               // 7
    "Deutschland|Bayern|Oberfranken|Oberfranken (katholisch)",      // 8
    "Deutschland|Bayern|Oberpfalz",                                 // 9
    "Deutschland|Bayern|Oberpfalz|Oberpfalz (katholisch)",          // 10
    "Deutschland|Bayern|Schwaben",                                  // 11
    "Deutschland|Bayern|Schwaben|Augsburg (Stadt)",                 // 12
    "Deutschland|Bayern|Schwaben|Schwaben (katholisch)",            // 13
    "Deutschland|Bayern|Unterfranken",                              // 14
    "Deutschland|Bayern|Unterfranken|Unterfranken (katholisch)",    // 15
    "Deutschland|Berlin",                                           // 16
    "Deutschland|Brandenburg",                                      // 17
    "Deutschland|Bremen",                                           // 18
    "Deutschland|Hamburg",                                          // 19
    "Deutschland|Hessen",                                           // 20
    "Deutschland|Hessen|Frankfurt am Main",                         // 21
    "Deutschland|Mecklenburg-Vorpommern",                           // 22
    "Deutschland|Niedersachsen",                                    // 23
    "Deutschland|Nordrhein-Westfalen",                              // 24
    "Deutschland|Rheinland-Pfalz",                                  // 25
    "Deutschland|Saarland",                                         // 26
    "Deutschland|Sachsen",                                          // 27
    "Deutschland|Sachsen|Sachsen (mit Fronleichnam)",               // 28
    "Deutschland|Sachsen-Anhalt",                                   // 29
    "Deutschland|Schleswig-Holstein",                               // 30
    "Deutschland|Thüringen",                                        // 31
    "France",                                                       // 32
    "France|Aquitaine",                                             // 33
    "France|Auvergne",                                              // 34
    "France|Basse-Normandie",                                       // 35
    "France|Bretagne",                                              // 36
    "France|Bourgogne",                                             // 37
    "France|Centre",                                                // 38
    "France|Champagne Ardenne",                                     // 39
    "France|Alsace",                                                // 40
    "France|Franche-Comté",                                         // 41
    "France|Haute-Normandie",                                       // 42
    "France|Ile de France",                                         // 43
    "France|Corse",                                                 // 44
    "France|Languedoc Roussillon",                                  // 45
    "France|Limousin",                                              // 46
    "France|Lorraine",                                              // 47
    "France|Lorraine|Moselle",                                      // 48
    "France|Midi-Pyrénées",                                         // 49
    "France|Nord Pas-de-Calais",                                    // 50
    "France|Pays de la Loire",                                      // 51
    "France|Picardie",                                              // 52
    "France|Poitou-Charente",                                       // 53
    "France|Provence Alpes Côte d'Azur",                            // 54
    "France|Rhône-Alpes",                                           // 55
    "Liechtenstein",                                                // 56
    "Österreich",                                                   // 57
    "Schweiz",                                                      // 58
    "Schweiz|Aargau",                                               // 59
    "Schweiz|Aargau|Aarau",                                         // 60
    "Schweiz|Aargau|Aarau|Aarau",                                   // 61
    "Schweiz|Aargau|Baden",                                         // 62
    "Schweiz|Aargau|Baden|Baden",                                   // 63
    "Schweiz|Aargau|Baden|Bellikon",                                // 64
    "Schweiz|Aargau|Baden|Bergdietikon",                            // 65
    "Schweiz|Aargau|Baden|Birmenstorf",                             // 66
    "Schweiz|Aargau|Baden|Ennetbaden",                              // 67
    "Schweiz|Aargau|Baden|Fislisbach",                              // 68
    "Schweiz|Aargau|Baden|Freienwil",                               // 69
    "Schweiz|Aargau|Baden|Gebenstorf",                              // 70
    "Schweiz|Aargau|Baden|Killwangen",                              // 71
    "Schweiz|Aargau|Baden|Künten",                                  // 72
    "Schweiz|Aargau|Baden|Mägenwil",                                // 73
    "Schweiz|Aargau|Baden|Mellingen",                               // 74
    "Schweiz|Aargau|Baden|Neuenhof",                                // 75
    "Schweiz|Aargau|Baden|Niederrohrdorf",                          // 76
    "Schweiz|Aargau|Baden|Oberehrendingen",                         // 77
    "Schweiz|Aargau|Baden|Oberrohrdorf",                            // 78
    "Schweiz|Aargau|Baden|Obersiggenthal",                          // 79
    "Schweiz|Aargau|Baden|Remetschwil",                             // 80
    "Schweiz|Aargau|Baden|Spreitenbach",                            // 81
    "Schweiz|Aargau|Baden|Stetten",                                 // 82
    "Schweiz|Aargau|Baden|Turgi",                                   // 83
    "Schweiz|Aargau|Baden|Unterehrendingen",                        // 84
    "Schweiz|Aargau|Baden|Untersiggenthal",                         // 85
    "Schweiz|Aargau|Baden|Wettingen",                               // 86
    "Schweiz|Aargau|Baden|Wohlenschwil",                            // 87
    "Schweiz|Aargau|Baden|Würenlingen",                             // 88
    "Schweiz|Aargau|Baden|Würenlos",                                // 89
    "Schweiz|Aargau|Bremgarten",                                    // 90
    "Schweiz|Aargau|Bremgarten|Bremgarten",                         // 91
    "Schweiz|Aargau|Brugg",                                         // 92
    "Schweiz|Aargau|Brugg|Brugg",                                   // 93
    "Schweiz|Aargau|Kulm",                                          // 94
    "Schweiz|Aargau|Laufenburg",                                    // 95
    "Schweiz|Aargau|Lenzburg",                                      // 96
    "Schweiz|Aargau|Lenzburg|Lenzburg",                             // 97
    "Schweiz|Aargau|Muri",                                          // 98
    "Schweiz|Aargau|Rheinfelden",                                   // 99
    "Schweiz|Aargau|Rheinfelden|Hellikon",                          // 100
    "Schweiz|Aargau|Rheinfelden|Mumpf",                             // 101
    "Schweiz|Aargau|Rheinfelden|Obermumpf",                         // 102
    "Schweiz|Aargau|Rheinfelden|Schupfart",                         // 103
    "Schweiz|Aargau|Rheinfelden|Stein",                             // 104
    "Schweiz|Aargau|Rheinfelden|Wegenstetten",                      // 105
    "Schweiz|Aargau|Zofingen",                                      // 106
    "Schweiz|Aargau|Zofingen|Zofingen",                             // 107
    "Schweiz|Aargau|Zurzach",                                       // 108
    "Schweiz|Aargau|Zurzach|Zurzach",                               // 109
    "Schweiz|Appenzell Ausserrhoden",                               // 110
    "Schweiz|Appenzell Ausserrhoden|Urnäsch",                       // 111
    "Schweiz|Appenzell Ausserrhoden|Waldstatt",                     // 112
    "Schweiz|Appenzell Innerrhoden",                                // 113
    "Schweiz|Appenzell Innerrhoden|Appenzell",                      // 114
    "Schweiz|Appenzell Innerrhoden|Gonten",                         // 115
    "Schweiz|Appenzell Innerrhoden|Rüte",                           // 116
    "Schweiz|Appenzell Innerrhoden|Schlatt-Haslen",                 // 117
    "Schweiz|Appenzell Innerrhoden|Schwende",                       // 118
    "Schweiz|Basel-Landschaft",                                     // 119
    "Schweiz|Basel-Landschaft|Arlesheim",                           // 120
    "Schweiz|Basel-Landschaft|Laufen",                              // 121
    "Schweiz|Basel-Landschaft|Liestal",                             // 122
    "Schweiz|Basel-Landschaft|Sissach",                             // 123
    "Schweiz|Basel-Landschaft|Waldenburg",                          // 124
    "Schweiz|Basel-Stadt",                                          // 125
    "Schweiz|Bern",                                                 // 126
    "Schweiz|Bern|Aarberg",                                         // 127
    "Schweiz|Bern|Aarwangen",                                       // 128
    "Schweiz|Bern|Bern",                                            // 129
    "Schweiz|Bern|Bern|Bern",                                       // 130
    "Schweiz|Bern|Biel",                                            // 131
    "Schweiz|Bern|Biel|Biel",                                       // 132
    "Schweiz|Bern|Biel|Leubringen",                                 // 133
    "Schweiz|Bern|Büren",                                           // 134
    "Schweiz|Bern|Burgdorf",                                        // 135
    "Schweiz|Bern|Burgdorf|Burgdorf",                               // 136
    "Schweiz|Bern|Courtelary",                                      // 137
    "Schweiz|Bern|Erlach",                                          // 138
    "Schweiz|Bern|Fraubrunnen",                                     // 139
    "Schweiz|Bern|Frutigen",                                        // 140
    "Schweiz|Bern|Interlaken",                                      // 141
    "Schweiz|Bern|Konolfingen",                                     // 142
    "Schweiz|Bern|Neuenstadt",                                      // 143
    "Schweiz|Bern|Laupen",                                          // 144
    "Schweiz|Bern|Moutier",                                         // 145
    "Schweiz|Bern|Nidau",                                           // 146
    "Schweiz|Bern|Niedersimmental",                                 // 147
    "Schweiz|Bern|Oberhasli",                                       // 148
    "Schweiz|Bern|Obersimmental",                                   // 149
    "Schweiz|Bern|Saanen",                                          // 150
    "Schweiz|Bern|Schwarzenburg",                                   // 151
    "Schweiz|Bern|Seftigen",                                        // 152
    "Schweiz|Bern|Signau",                                          // 153
    "Schweiz|Bern|Thun",                                            // 154
    "Schweiz|Bern|Trachselwald",                                    // 155
    "Schweiz|Bern|Wangen",                                          // 156
    "Schweiz|Freiburg",                                             // 157
    "Schweiz|Freiburg|Broye",                                       // 158
    "Schweiz|Freiburg|Glane",                                       // 159
    "Schweiz|Freiburg|Greyerz",                                     // 160
    "Schweiz|Freiburg|Saane",                                       // 161
    "Schweiz|Freiburg|See",                                         // 162
    "Schweiz|Freiburg|See|Bärfischen",                              // 163
    "Schweiz|Freiburg|See|Courtaman",                               // 164
    "Schweiz|Freiburg|See|Curtepy",                                 // 165
    "Schweiz|Freiburg|See|Grissach",                                // 166
    "Schweiz|Freiburg|See|Gurmels",                                 // 167
    "Schweiz|Freiburg|See|Guschelmuth",                             // 168
    "Schweiz|Freiburg|See|Jeuss",                                   // 169
    "Schweiz|Freiburg|See|Kleinbösingen",                           // 170
    "Schweiz|Freiburg|See|Liebistorf",                              // 171
    "Schweiz|Freiburg|See|Misery-Courtion",                         // 172
    "Schweiz|Freiburg|See|Murten",                                  // 173
    "Schweiz|Freiburg|See|Ruppertswil",                             // 174
    "Schweiz|Freiburg|See|Wallenbuch",                              // 175
    "Schweiz|Freiburg|See|Wallenried",                              // 176
    "Schweiz|Freiburg|Sense",                                       // 177
    "Schweiz|Freiburg|Veveyse",                                     // 178
    "Schweiz|Genf",                                                 // 179
    "Schweiz|Glarus",                                               // 180
    "Schweiz|Graubünden",                                           // 181
    "Schweiz|Graubünden|Albula",                                    // 182
    "Schweiz|Graubünden|Albula|Alvaneu",                            // 183
    "Schweiz|Graubünden|Albula|Bivio",                              // 184
    "Schweiz|Graubünden|Albula|Savognin",                           // 185
    "Schweiz|Graubünden|Albula|Tiefencastel",                       // 186
    "Schweiz|Graubünden|Bernina",                                   // 187
    "Schweiz|Graubünden|Hinterrhein",                               // 188
    "Schweiz|Graubünden|Hinterrhein|Cazis",                         // 189
    "Schweiz|Graubünden|Imboden",                                   // 190
    "Schweiz|Graubünden|Imboden|Bonaduz",                           // 191
    "Schweiz|Graubünden|Imboden|Ems",                               // 192
    "Schweiz|Graubünden|Imboden|Rhäzüns",                           // 193
    "Schweiz|Graubünden|Inn",                                       // 194
    "Schweiz|Graubünden|Inn|Samnaun",                               // 195
    "Schweiz|Graubünden|Moesa",                                     // 196
    "Schweiz|Graubünden|Moesa|Grono",                               // 197
    "Schweiz|Graubünden|Moesa|Mesocco",                             // 198
    "Schweiz|Graubünden|Moesa|Roveredo",                            // 199
    "Schweiz|Graubünden|Surselva",                                  // 200
    "Schweiz|Graubünden|Surselva|Brigels",                          // 201
    "Schweiz|Graubünden|Surselva|Disentis",                         // 202
    "Schweiz|Graubünden|Surselva|Falera",                           // 203
    "Schweiz|Graubünden|Surselva|Ilanz",                            // 204
    "Schweiz|Graubünden|Surselva|Laax",                             // 205
    "Schweiz|Graubünden|Surselva|Obersaxen",                        // 206
    "Schweiz|Graubünden|Surselva|Somvix",                           // 207
    "Schweiz|Graubünden|Surselva|Truns",                            // 208
    "Schweiz|Graubünden|Surselva|Vals",                             // 209
    "Schweiz|Graubünden|Surselva|Villa",                            // 210
    "Schweiz|Graubünden|Surselva|Vrin",                             // 211
    "Schweiz|Jura",                                                 // 212
    "Schweiz|Jura|Delsberg",                                        // 213
    "Schweiz|Jura|Delsberg|Delsberg",                               // 214
    "Schweiz|Jura|Franches-Montagnes",                              // 215
    "Schweiz|Jura|Franches-Montagnes|Saignelégier",                 // 216
    "Schweiz|Jura|Porrentruy",                                      // 217
    "Schweiz|Jura|Porrentruy|Porrentruy",                           // 218
    "Schweiz|Luzern",                                               // 219
    "Schweiz|Luzern|Entlebuch",                                     // 220
    "Schweiz|Luzern|Entlebuch|Doppleschwand",                       // 221
    "Schweiz|Luzern|Entlebuch|Entlebuch",                           // 222
    "Schweiz|Luzern|Entlebuch|Escholzmatt",                         // 223
    "Schweiz|Luzern|Entlebuch|Flühli",                              // 224
    "Schweiz|Luzern|Entlebuch|Hasle",                               // 225
    "Schweiz|Luzern|Entlebuch|Marbach",                             // 226
    "Schweiz|Luzern|Entlebuch|Romoos",                              // 227
    "Schweiz|Luzern|Entlebuch|Schüpfheim",                          // 228
    "Schweiz|Luzern|Hochdorf",                                      // 229
    "Schweiz|Luzern|Hochdorf|Altwis",                               // 230
    "Schweiz|Luzern|Hochdorf|Ermensee",                             // 231
    "Schweiz|Luzern|Hochdorf|Eschenbach",                           // 232
    "Schweiz|Luzern|Hochdorf|Gelfingen",                            // 233
    "Schweiz|Luzern|Hochdorf|Hämikon",                              // 234
    "Schweiz|Luzern|Hochdorf|Hitzkirch",                            // 235
    "Schweiz|Luzern|Hochdorf|Hochdorf",                             // 236
    "Schweiz|Luzern|Hochdorf|Hohenrain",                            // 237
    "Schweiz|Luzern|Hochdorf|Lieli",                                // 238
    "Schweiz|Luzern|Hochdorf|Retschwil",                            // 239
    "Schweiz|Luzern|Hochdorf|Schongau",                             // 240
    "Schweiz|Luzern|Hochdorf|Sulz",                                 // 241
    "Schweiz|Luzern|Luzern",                                        // 242
    "Schweiz|Luzern|Luzern|Adligenswil",                            // 243
    "Schweiz|Luzern|Luzern|Buchrain",                               // 244
    "Schweiz|Luzern|Luzern|Dierikon",                               // 245
    "Schweiz|Luzern|Luzern|Ebikon",                                 // 246
    "Schweiz|Luzern|Luzern|Gisikon",                                // 247
    "Schweiz|Luzern|Luzern|Greppen",                                // 248
    "Schweiz|Luzern|Luzern|Honau",                                  // 249
    "Schweiz|Luzern|Luzern|Horw",                                   // 250
    "Schweiz|Luzern|Luzern|Kriens",                                 // 251
    "Schweiz|Luzern|Luzern|Littau",                                 // 252
    "Schweiz|Luzern|Luzern|Luzern",                                 // 253
    "Schweiz|Luzern|Luzern|Malters",                                // 254
    "Schweiz|Luzern|Luzern|Meggen",                                 // 255
    "Schweiz|Luzern|Luzern|Meierskappel",                           // 256
    "Schweiz|Luzern|Luzern|Root",                                   // 257
    "Schweiz|Luzern|Luzern|Schwarzenberg",                          // 258
    "Schweiz|Luzern|Luzern|Udligenswil",                            // 259
    "Schweiz|Luzern|Luzern|Vitznau",                                // 260
    "Schweiz|Luzern|Luzern|Weggis",                                 // 261
    "Schweiz|Luzern|Sursee",                                        // 262
    "Schweiz|Luzern|Sursee|Beromünster",                            // 263
    "Schweiz|Luzern|Sursee|Buttisholz",                             // 264
    "Schweiz|Luzern|Sursee|Hildisrieden",                           // 265
    "Schweiz|Luzern|Sursee|Knutwil",                                // 266
    "Schweiz|Luzern|Sursee|Neudorf",                                // 267
    "Schweiz|Luzern|Sursee|Nottwil",                                // 268
    "Schweiz|Luzern|Sursee|Pfeffikon",                              // 269
    "Schweiz|Luzern|Sursee|Ruswil",                                 // 270
    "Schweiz|Luzern|Sursee|Schwarzenbach",                          // 271
    "Schweiz|Luzern|Sursee|Winikon",                                // 272
    "Schweiz|Luzern|Willisau",                                      // 273
    "Schweiz|Luzern|Willisau|Altishofen",                           // 274
    "Schweiz|Luzern|Willisau|Dagmersellen",                         // 275
    "Schweiz|Luzern|Willisau|Ebersecken",                           // 276
    "Schweiz|Luzern|Willisau|Menznau",                              // 277
    "Schweiz|Luzern|Willisau|Ohmstal",                              // 278
    "Schweiz|Luzern|Willisau|Pfaffnau",                             // 279
    "Schweiz|Luzern|Willisau|Richenthal",                           // 280
    "Schweiz|Luzern|Willisau|Roggliswil",                           // 281
    "Schweiz|Luzern|Willisau|Schötz",                               // 282
    "Schweiz|Luzern|Willisau|Ufhusen",                              // 283
    "Schweiz|Luzern|Willisau|Willisau-Land",                        // 284
    "Schweiz|Luzern|Willisau|Willisau-Stadt",                       // 285
    "Schweiz|Neuenburg",                                            // 286
    "Schweiz|Neuenburg|Neuchâtel",                                  // 287
    "Schweiz|Neuenburg|Neuchâtel|Le Landeron",                      // 288
    "Schweiz|Nidwalden",                                            // 289
    "Schweiz|Obwalden",                                             // 290
    "Schweiz|Obwalden|Engelberg",                                   // 291
    "Schweiz|Schaffhausen",                                         // 292
    "Schweiz|Schwyz",                                               // 293
    "Schweiz|Schwyz|Einsiedeln",                                    // 294
    "Schweiz|Schwyz|March",                                         // 295
    "Schweiz|Schwyz|Schwyz",                                        // 296
    "Schweiz|Schwyz|Schwyz|Alpthal",                                // 297
    "Schweiz|Schwyz|Schwyz|Arth",                                   // 298
    "Schweiz|Schwyz|Schwyz|Illgau",                                 // 299
    "Schweiz|Schwyz|Schwyz|Ingenbohl",                              // 300
    "Schweiz|Schwyz|Schwyz|Lauerz",                                 // 301
    "Schweiz|Schwyz|Schwyz|Morschach",                              // 302
    "Schweiz|Schwyz|Schwyz|Muotathal",                              // 303
    "Schweiz|Schwyz|Schwyz|Oberiberg",                              // 304
    "Schweiz|Schwyz|Schwyz|Riemenstalden",                          // 305
    "Schweiz|Schwyz|Schwyz|Rothenthurm",                            // 306
    "Schweiz|Schwyz|Schwyz|Sattel",                                 // 307
    "Schweiz|Schwyz|Schwyz|Schwyz",                                 // 308
    "Schweiz|Schwyz|Schwyz|Steinerberg",                            // 309
    "Schweiz|Schwyz|Schwyz|Unteriberg",                             // 310
    "Schweiz|Solothurn",                                            // 311
    "Schweiz|Solothurn|Dorneck",                                    // 312
    "Schweiz|Solothurn|Dorneck|Büren",                              // 313
    "Schweiz|Solothurn|Dorneck|Dornach",                            // 314
    "Schweiz|Solothurn|Dorneck|Hochwald",                           // 315
    "Schweiz|Solothurn|Dorneck|Metzerlen",                          // 316
    "Schweiz|Solothurn|Dorneck|Nuglar-St.Pantaleon",                // 317
    "Schweiz|Solothurn|Dorneck|Rodersdorf",                         // 318
    "Schweiz|Solothurn|Gäu",                                        // 319
    "Schweiz|Solothurn|Gäu|Kestenholz",                             // 320
    "Schweiz|Solothurn|Gäu|Neuendorf",                              // 321
    "Schweiz|Solothurn|Gäu|Wolfwil",                                // 322
    "Schweiz|Solothurn|Gösgen",                                     // 323
    "Schweiz|Solothurn|Gösgen|Hauenstein-Ifenthal",                 // 324
    "Schweiz|Solothurn|Gösgen|Kienberg",                            // 325
    "Schweiz|Solothurn|Gösgen|Wisen",                               // 326
    "Schweiz|Solothurn|Lebern",                                     // 327
    "Schweiz|Solothurn|Olten",                                      // 328
    "Schweiz|Solothurn|Olten|Fulenbach",                            // 329
    "Schweiz|Solothurn|Olten|Kappel bei Olten",                     // 330
    "Schweiz|Solothurn|Olten|Walterswil",                           // 331
    "Schweiz|Solothurn|Solothurn",                                  // 332
    "Schweiz|Solothurn|Solothurn|Solothurn",                        // 333
    "Schweiz|Solothurn|Thal",                                       // 334
    "Schweiz|Solothurn|Thal|Aedermannsdorf",                        // 335
    "Schweiz|Solothurn|Thal|Mümliswil-Ramiswil",                    // 336
    "Schweiz|Solothurn|Thierstein",                                 // 337
    "Schweiz|Solothurn|Thierstein|Bärschwil",                       // 338
    "Schweiz|Solothurn|Thierstein|Beinwil",                         // 339
    "Schweiz|Solothurn|Thierstein|Breitenbach",                     // 340
    "Schweiz|Solothurn|Thierstein|Büsserach",                       // 341
    "Schweiz|Solothurn|Thierstein|Grindel",                         // 342
    "Schweiz|Solothurn|Thierstein|Kleinlützel",                     // 343
    "Schweiz|Solothurn|Thierstein|Nunningen",                       // 344
    "Schweiz|Solothurn|Wasseramt",                                  // 345
    "Schweiz|Solothurn|Wasseramt|Deitingen",                        // 346
    "Schweiz|St. Gallen",                                           // 347
    "Schweiz|St. Gallen|See",                                       // 348
    "Schweiz|St. Gallen|See|Jona",                                  // 349
    "Schweiz|St. Gallen|St.Gallen",                                 // 350
    "Schweiz|St. Gallen|St.Gallen|St. Gallen",                      // 351
    "Schweiz|Tessin",                                               // 352
    "Schweiz|Tessin|Bellinzona",                                    // 353
    "Schweiz|Tessin|Bellinzona|Bellinzona (Stadt)",                 // 354
    "Schweiz|Thurgau",                                              // 355
    "Schweiz|Uri",                                                  // 356
    "Schweiz|Uri|Andermatt",                                        // 357
    "Schweiz|Waadt",                                                // 358
    "Schweiz|Wallis",                                               // 359
    "Schweiz|Wallis|Goms",                                          // 360
    "Schweiz|Wallis|Goms|Münster",                                  // 361
    "Schweiz|Zug",                                                  // 362
    "Schweiz|Zug|Zug",                                              // 363
    "Schweiz|Zürich",                                               // 364
    "Schweiz|Zürich|Andelfingen",                                   // 365
    "Schweiz|Zürich|Andelfingen|Feuerthalen",                       // 366
    "Schweiz|Zürich|Andelfingen|Flurlingen",                        // 367
    "Schweiz|Zürich|Andelfingen|Laufen-Uhwiesen",                   // 368
    "Schweiz|Zürich|Winterthur",                                    // 369
    "Schweiz|Zürich|Winterthur|Winterthur",                         // 370
    "Schweiz|Zürich|Zürich",                                        // 371
    "Deutschland|Thüringen|Thüringen (mit Fronleichnam)",           // 372
    "2006 FIFA World Cup Germany™",                                 // 373
});
static_assert(kRows.size() == kRegionCount);

}  // namespace

constinit const std::array<std::string_view, kRegionCount> RegionTable = kRows;

}  // namespace feriant::data

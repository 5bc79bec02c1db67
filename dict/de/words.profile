# unjam's rules for German (see src/wordlist/profile.h for the settings)
language de
# geht's, gibt's: the one ending German writes behind an apostrophe.
endings s
# 'n, 'ne, 'nen, 'ner, 'nem (ein, eine, einen, einer, einem) and 's (es, das)
# as speech writes them, behind an apostrophe that opens the word:
# "'nWasser" is "'n Wasser".
proclitics n ne nen ner nem s
# German capitalizes its nouns: a piece of a split written small must be
# listed small ("Haustür" is no "Haus tür": "Tür" is listed capitalized).
case-rule on
# and writes them joined: a capitalized word that reads as nouns joined
# stays whole ("Lagerfeuer" is no "Lager feuer", though "feuer" is listed).
compounds on
# and writes a prefix into the verb form it stands before: a word written
# small that reads as prefixes and a listed word stays whole ("rauskommt" is
# no "raus kommt"). A preposition does so only before a participle or a
# zu-infinitive ("angefahren", "anzudrehen"; "mitschönen" is "mit schönen").
# Left out: "zu" (written apart before an infinitive: "zu gehen"), and the
# adverbs that mostly stand alone ("wieder", "weiter", "darauf", "dazu").
prefixes ab an auf aus bei ein mit nach vor durch über unter um
prefixes weg raus rein rüber runter rum hin her hinaus heraus herein herum vorbei zurück
prefixes zusammen nieder los fort empor entgegen hindurch drauf drüber drunter dran
prefixes durcheinander aneinander auseinander voran voraus vorüber vorweg zurecht herab
prefixes heran herauf herbei herunter hervor herüber hinab hinauf hinein hinunter hinüber
prefixes hinweg hinzu hinterher beisammen entlang einher übereinander nebeneinander zueinander
verb-starts ge zu
# A word the list lacks stays whole when even its likeliest reading is less
# likely than an unlisted word of its length (a name: "Chelo", not "Che lo").
unlisted-cost 3.5
# Articles, pronouns, prepositions, conjunctions and common verbs: unjam-names
# takes a word that reads as one of them joined to a listed word for a join,
# not a word a series coined (dasmachen).
function-words ab der die das den dem des ein eine einen einem einer eines ich du er sie es wir ihr mich mir dich dir sich uns euch ihn ihm ihnen mein dein sein unser euer in an auf aus bei mit nach von vor zu zum zur für um über unter durch gegen ohne und oder aber denn doch wenn als wie dass ob so nicht kein keine ist sind war bin bist hat habe haben hatte wird werden kann muss will soll auch noch schon nur da was wer

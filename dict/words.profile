# unjam's rules for English (see src/wordlist/profile.h for the settings);
# every setting not given here is English's by default.
language en
# A piece of a split written small must be listed small: a name, or a word
# the list holds only capitalized ("Ian", "Avery", "I"), is no piece of a
# word written small ("Lucasian" is no "Lucas ian", "Mei" no "Me i", and
# "loseavery" is "lose a very"). A piece written capitalized may be any
# listed word ("toParis"); a word of the text is found whole in any case.
case-rule on

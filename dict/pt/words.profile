# unjam's rules for Portuguese (see src/wordlist/profile.h for the settings)
language pt
# d'água, d'ouro
elisions d
endings

#!/usr/bin/perl
# Copies a translation, joining each Hangul syllable to the characters beside it in its word
# (digits, placeholders, punctuation) with WORD JOINER (U+2060): the text layout otherwise breaks
# a line between any two syllables, cutting a Korean word in two, where Korean breaks lines only
# at its spaces. The joiner is invisible and still lets a
# word longer than the whole line wrap.
#   keep-hangul-words.pl IN.po OUT.po
use strict;
use warnings;
use open qw(:std :encoding(UTF-8));

my ($in, $out) = @ARGV;
die "usage: keep-hangul-words.pl IN.po OUT.po\n" unless defined $out;
open(my $src, '<', $in) or die "cannot read $in: $!\n";
open(my $dst, '>', $out) or die "cannot write $out: $!\n";
my $inMsgstr = 0;
while (my $line = <$src>) {
    # A msgstr goes on over the quoted lines that follow it.
    if ($line =~ /^msgstr/) {
        $inMsgstr = 1;
    } elsif ($line !~ /^"/) {
        $inMsgstr = 0;
    }
    if ($inMsgstr && $line =~ /^([^"]*")(.*)("\s*)$/s) {
        my ($head, $text, $tail) = ($1, $2, $3);
        $text =~ s/(?<=[^\s\x{2060}])(?=\p{Hangul})|(?<=\p{Hangul})(?=[^\s\x{2060}])/\x{2060}/g;
        $line = $head . $text . $tail;
    }
    print $dst $line;
}
close($dst) or die "cannot write $out: $!\n";

#!/usr/bin/perl
# The peer reader: Palm::PDB parsing a database file's PDB container (header, record list
# and every record as raw bytes).
#   peer_palm_pdb.pl FILE RUNS   parses FILE RUNS times in-process, prints the median in ms
#                                (RUNS 1 in a fresh process: the first parse)
#   peer_palm_pdb.pl FILE        parses FILE once and prints nothing: the peer of `vesk dump`
#                                as a whole process, timed from outside
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;    # takes any type and creator, keeping each record's bytes

sub parse {
    my ($file) = @_;
    my $pdb = Palm::PDB->new;
    $pdb->Load($file);
    die "no records\n" unless @{ $pdb->{records} };
}

my ($file, $runs) = @ARGV;
die "usage: peer_palm_pdb.pl FILE [RUNS]\n" unless defined $file;
if (!defined $runs) {
    parse($file);
    exit 0;
}
require Time::HiRes;    # loaded only when timing in-process
my @times;
for (1 .. $runs) {
    my $start = Time::HiRes::time();
    parse($file);
    push @times, (Time::HiRes::time() - $start) * 1000;
}
@times = sort { $a <=> $b } @times;
printf "%.3f\n", $times[ int(@times / 2) ];

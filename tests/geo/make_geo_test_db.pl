#!/usr/bin/perl
# Writes the small country databases of the tests, so that their results are
# exact whatever the shipped data says:
#   make_geo_test_db.pl countries.mmdb cities.mmdb
# countries.mmdb: ip-location-db's layout (country_code at the top);
# cities.mmdb: MaxMind's (country > iso_code, city > names > en/fr).
# Documentation ranges stand for real ones: 203.0.113.0/24 is France,
# 198.51.100.0/24 Germany, 2001:db8::/32 Japan.
use strict;
use warnings;
use MaxMind::DB::Writer::Tree;

my %types = (
    country_code => 'utf8_string',
    country      => 'map',
    iso_code     => 'utf8_string',
    city         => 'map',
    names        => 'map',
    en           => 'utf8_string',
    fr           => 'utf8_string',
);

sub tree {
    my ($type) = @_;
    return MaxMind::DB::Writer::Tree->new(
        ip_version               => 6,
        record_size              => 24,
        database_type            => $type,
        languages                => ['en'],
        description              => { en => 'Trafikon test data' },
        remove_reserved_networks => 0,
        map_key_type_callback    => sub { $types{ $_[0] } },
    );
}

my ($countries, $cities) = @ARGV;
die "usage: $0 countries.mmdb cities.mmdb\n" unless $cities;

my $c = tree('test-country');
$c->insert_network('203.0.113.0/24',  { country_code => 'FR' });
$c->insert_network('198.51.100.0/24', { country_code => 'DE' });
$c->insert_network('2001:db8::/32',   { country_code => 'JP' });
open(my $out, '>:raw', $countries) or die "$countries: $!\n";
$c->write_tree($out);
close($out) or die "$countries: $!\n";

my $t = tree('test-city');
$t->insert_network('203.0.113.0/25',
    { country => { iso_code => 'FR' }, city => { names => { en => 'Paris', fr => 'Paris' } } });
$t->insert_network('203.0.113.128/25',
    { country => { iso_code => 'FR' }, city => { names => { en => "Saint-\x{c9}tienne" } } });
$t->insert_network('198.51.100.0/24', { country => { iso_code => 'DE' } });
$t->insert_network('2001:db8::/32',
    { country => { iso_code => 'JP' }, city => { names => { en => 'Tokyo' } } });
open($out, '>:raw', $cities) or die "$cities: $!\n";
$t->write_tree($out);
close($out) or die "$cities: $!\n";
